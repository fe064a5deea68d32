#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rolling sum of the best-quote order-flow imbalance over the last n book changes. A book with an
/// empty side gives nothing and changes nothing; the first complete book only stores its best
/// quotes. Afterwards, with primes for the stored quotes,
/// e = Qb·[Pb >= Pb'] − Qb'·[Pb <= Pb'] − (Qa·[Pa <= Pa'] − Qa'·[Pa >= Pa']); e joins a window of n
/// whose running sum is recomputed from the window every n pushes.
class OrderFlowImbalance {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<OrderFlowImbalance> create(std::uint64_t period);
  explicit OrderFlowImbalance(std::uint64_t period) : sum_(period, period) {}

  std::optional<double> update(const OrderBook& book) {
    if (book.bids.empty() || book.asks.empty()) return std::nullopt;
    const BookLevel bid = book.bids.front();
    const BookLevel ask = book.asks.front();
    if (!has_prev_) {
      prev_bid_ = bid;
      prev_ask_ = ask;
      has_prev_ = true;
      return std::nullopt;
    }
    const double e = bid.size * flag(bid.price >= prev_bid_.price) -
                     prev_bid_.size * flag(bid.price <= prev_bid_.price) -
                     (ask.size * flag(ask.price <= prev_ask_.price) -
                      prev_ask_.size * flag(ask.price >= prev_ask_.price));
    prev_bid_ = bid;
    prev_ask_ = ask;
    sum_.push(e);
    if (!sum_.full()) return std::nullopt;
    return sum_.sum();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(sum_.period(), 1); }

 private:
  static double flag(bool b) noexcept { return b ? 1.0 : 0.0; }

  RunningSum sum_;
  BookLevel prev_bid_;
  BookLevel prev_ask_;
  bool has_prev_ = false;
};

}  // namespace sorvik

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (B − S)/(B + S) of the buy volume B and sell volume S of the last n trades (0 when B + S <= 0).
/// Each trade enters as the pair (size, 0) for a buy or (0, size) for a sell; the running sums first
/// add the new pair, then subtract the evicted one.
class TradeImbalance {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<TradeImbalance> create(std::uint64_t period);
  explicit TradeImbalance(std::uint64_t period) : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(std::span<const Trade> trades) {
    if (trades.empty()) return std::nullopt;
    for (const Trade& t : trades) push(t);
    if (!window_.full()) return std::nullopt;
    const double total = buy_ + sell_;
    if (!(total > 0.0)) return 0.0;
    return (buy_ - sell_) / total;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct Volumes {
    double buy = 0.0;
    double sell = 0.0;
  };

  void push(const Trade& t) {
    const Volumes v = t.side == Side::Buy ? Volumes{t.size, 0.0} : Volumes{0.0, t.size};
    buy_ = buy_ + v.buy;
    sell_ = sell_ + v.sell;
    if (auto old = window_.push(v)) {
      buy_ = buy_ - old->buy;
      sell_ = sell_ - old->sell;
    }
  }

  Window<Volumes> window_;
  double buy_ = 0.0;
  double sell_ = 0.0;
};

}  // namespace sorvik

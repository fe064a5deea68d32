#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/microstructure/book_measures.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Realized spread in basis points of the trade `horizon` trades back: every trade queues its
/// (sign, price, mid of its bar); once the queue holds more than h entries the oldest (s, p, m0)
/// leaves and the answer becomes 2·s·(p − mid)/m0·10000 with the current bar's mid.
class RealizedSpread {
 public:
  /// Checks: the horizon (0, then MAX_PERIOD).
  static Expected<RealizedSpread> create(std::uint64_t horizon);
  explicit RealizedSpread(std::uint64_t horizon) : queue_(static_cast<std::size_t>(horizon)) {}

  std::optional<double> update(TradeQuote q) {
    if (q.trades.empty()) return std::nullopt;
    const auto mid = reference_mid(q);
    if (!mid) return std::nullopt;
    for (const Trade& t : q.trades) {
      if (auto old = queue_.push(Entry{trade_sign(t), t.price, *mid})) {
        last_ = 2.0 * old->sign * (old->price - *mid) / old->mid * 10000.0;
        ready_ = true;
      }
    }
    if (!ready_) return std::nullopt;
    return last_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(queue_.capacity(), 1); }

 private:
  struct Entry {
    double sign = 0.0;
    double price = 0.0;
    double mid = 0.0;
  };

  Window<Entry> queue_;
  double last_ = 0.0;
  bool ready_ = false;
};

}  // namespace sorvik

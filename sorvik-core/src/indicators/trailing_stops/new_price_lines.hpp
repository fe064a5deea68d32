#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// New price lines: counts consecutive higher closes and consecutive lower closes (an unchanged close
/// resets both). The value is -1 once n higher closes in a row were seen (a run of new highs), else
/// +1 once n lower closes in a row were seen, else 0. The first close is only stored.
class NewPriceLines {
 public:
  /// Checks: the count at least 2 (the count sizes no storage, so it has no upper bound).
  static Expected<NewPriceLines> create(std::uint64_t count);
  /// Precondition: count >= 2.
  explicit NewPriceLines(std::uint64_t count) noexcept : n_(count) {}

  std::optional<double> update(const Candle& c) noexcept {
    const double close = c.close;
    const bool first = !started_;
    const double prev = prev_;
    started_ = true;
    prev_ = close;
    if (first) return std::nullopt;
    if (close > prev) {
      rising_ = sat_add(rising_, 1);
      falling_ = 0;
    } else if (close < prev) {
      falling_ = sat_add(falling_, 1);
      rising_ = 0;
    } else {
      rising_ = 0;
      falling_ = 0;
    }
    if (rising_ >= n_) return -1.0;
    if (falling_ >= n_) return 1.0;
    return 0.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  std::uint64_t n_;
  std::uint64_t rising_ = 0;
  std::uint64_t falling_ = 0;
  double prev_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik

#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/momentum/rsi.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Connors RSI: the mean of three parts, ((`Rsi`(rsi) of the close + `Rsi`(streak) of the streak
/// series) + percent rank) / 3. The streak after a rise is max(previous, 0) + 1, after a fall
/// min(previous, 0) - 1, and 0 after an unchanged close. The one-bar return (close - previous) /
/// previous (only when the previous close is non-zero) enters a window of `rank` returns; once full,
/// percent rank = (returns strictly below the latest) * 100 / rank (a scan of the window).
class ConnorsRsi {
 public:
  /// Checks: the rsi, streak and rank periods (each 0, then MAX_PERIOD).
  static Expected<ConnorsRsi> create(std::uint64_t rsi_period, std::uint64_t streak_period,
                                     std::uint64_t rank_period);
  /// Precondition: `create`'s checks passed.
  ConnorsRsi(std::uint64_t rsi_period, std::uint64_t streak_period, std::uint64_t rank_period)
      : rsi_(rsi_period),
        streak_rsi_(streak_period),
        returns_(static_cast<std::size_t>(rank_period)),
        rank_len_(static_cast<double>(rank_period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    rsi_value_ = rsi_.update(x);
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    if (x > prev_) {
      streak_ = std::max(streak_, 0.0) + 1.0;
    } else if (x < prev_) {
      streak_ = std::min(streak_, 0.0) - 1.0;
    } else {
      streak_ = 0.0;
    }
    streak_value_ = streak_rsi_.update(streak_);
    if (prev_ != 0.0) {
      const double r = (x - prev_) / prev_;
      returns_.push_discard(r);
      if (returns_.full()) rank_ = percent_rank(r);
    }
    prev_ = x;
    if (!rsi_value_ || !streak_value_ || !rank_) return std::nullopt;
    return ((*rsi_value_ + *streak_value_) + *rank_) / 3.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return std::max({rsi_.warmup_period(), sat_add(streak_rsi_.warmup_period(), 1),
                     sat_add(returns_.capacity(), 1)});
  }

 private:
  [[nodiscard]] double percent_rank(double latest) const noexcept {
    std::uint64_t below = 0;
    returns_.for_each([&](double v) { below += v < latest ? 1 : 0; });
    return static_cast<double>(below) * 100.0 / rank_len_;
  }

  Rsi rsi_;
  Rsi streak_rsi_;
  Window<double> returns_;
  double rank_len_;
  std::optional<double> rsi_value_;
  std::optional<double> streak_value_;
  std::optional<double> rank_;
  double streak_ = 0.0;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

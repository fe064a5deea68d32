#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/directional/directional_movement.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Vortex indicator: per bar after the first, |high - previous low|, |low - previous high| and the
/// true range enter running sums over the last n bars (no periodic re-add); "plus" and "minus" are
/// the first two sums divided by the true-range sum, both 0 when that sum is zero. From bar n + 1.
class Vortex {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"plus", "minus"};

  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Vortex> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit Vortex(std::uint64_t period) noexcept
      : plus_(period, directional::NO_READD),
        minus_(period, directional::NO_READD),
        tr_(period, directional::NO_READD) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const bool first = !true_range_.started();
    const double tr = true_range_.next(c);
    if (first) {
      keep(c);
      return std::nullopt;
    }
    plus_.push(std::fabs(c.high - prev_low_));
    minus_.push(std::fabs(c.low - prev_high_));
    tr_.push(tr);
    keep(c);
    if (!tr_.full()) return std::nullopt;
    const double tr_sum = tr_.sum();
    if (tr_sum == 0.0) return std::array<double, 2>{0.0, 0.0};
    return std::array<double, 2>{plus_.sum() / tr_sum, minus_.sum() / tr_sum};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(tr_.period(), 1); }

 private:
  void keep(const Candle& c) noexcept {
    prev_high_ = c.high;
    prev_low_ = c.low;
  }

  RunningSum plus_;
  RunningSum minus_;
  RunningSum tr_;
  TrueRangeCore true_range_;
  double prev_high_ = 0.0;
  double prev_low_ = 0.0;
};

}  // namespace sorvik

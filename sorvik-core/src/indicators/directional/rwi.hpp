#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/directional/directional_movement.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Random walk index over the last n candles. For each look-back j = 1 .. n - 1, atr_j is the mean
/// of the newest j true ranges (added oldest first) and scale = sqrt(j + 1) * atr_j (a zero scale
/// skips j); "high" is the largest (newest high - low j bars back) / scale and "low" the largest
/// (high j bars back - newest low) / scale, both starting from 0. From bar n.
/// Each update costs O(n^2): every look-back sums its own true ranges in order.
class Rwi {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"high", "low"};

  /// Checks: the period (0, then MAX_PERIOD), then n >= 2.
  static Expected<Rwi> create(std::uint64_t period);
  /// Precondition: 2 <= period <= MAX_PERIOD.
  explicit Rwi(std::uint64_t period) noexcept
      : bars_(static_cast<std::size_t>(period)), trs_(static_cast<std::size_t>(period) - 1) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const bool first = !true_range_.started();
    const double tr = true_range_.next(c);
    if (!first) trs_.push_discard(tr);
    bars_.push_discard({c.high, c.low});
    if (!bars_.full()) return std::nullopt;
    const HighLow& newest = bars_.newest();
    const std::size_t held = trs_.size();
    double high = 0.0;
    double low = 0.0;
    for (std::size_t j = 1; j < bars_.size(); ++j) {
      double sum = 0.0;
      for (std::size_t i = held - j; i < held; ++i) sum = sum + trs_[i];
      const double atr = sum / static_cast<double>(j);
      const double scale = std::sqrt(static_cast<double>(j + 1)) * atr;
      if (scale == 0.0) continue;
      const HighLow& back = bars_.back(j);
      const double up = (newest.high - back.low) / scale;
      const double down = (back.high - newest.low) / scale;
      if (up > high) high = up;
      if (down > low) low = down;
    }
    return std::array<double, 2>{high, low};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bars_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> bars_;
  Window<double> trs_;
  TrueRangeCore true_range_;
};

}  // namespace sorvik

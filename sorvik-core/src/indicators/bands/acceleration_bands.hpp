#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Acceleration bands: with r = (high - low) / (high + low) (0 when high + low is zero), the upper
/// input fma(factor, r, 1) * high and the lower input fma(-factor, r, 1) * low are averaged by
/// Sma(n), as is the close for the middle.
class AccelerationBands {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AccelerationBands> create(std::uint64_t period, double factor);
  AccelerationBands(std::uint64_t period, double factor)
      : upper_(period), middle_(period), lower_(period), factor_(factor) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    const double width = c.high + c.low;
    const double r = width == 0.0 ? 0.0 : (c.high - c.low) / width;
    const auto upper = upper_.update(std::fma(factor_, r, 1.0) * c.high);
    const auto middle = middle_.update(c.close);
    const auto lower = lower_.update(std::fma(-factor_, r, 1.0) * c.low);
    if (!upper || !middle || !lower) return std::nullopt;
    return std::array<double, 3>{*upper, *middle, *lower};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return middle_.warmup_period(); }

 private:
  Sma upper_;
  Sma middle_;
  Sma lower_;
  double factor_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// SuperTrend: bands at midpoint(high, low) +- atr * multiplier that only tighten while price stays
/// inside them. The first computation starts long on the basic bands; a long state flips when the
/// close falls strictly below the final lower band, a short state when it rises strictly above the
/// final upper band. "value" is the final lower band when long, the final upper band when short.
class SuperTrend {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"value", "direction"};
  /// Checks: the period (0, then MAX_PERIOD), then the multiplier (finite and > 0).
  static Expected<SuperTrend> create(std::uint64_t period, double multiplier);
  /// Precondition: `create`'s checks passed.
  SuperTrend(std::uint64_t period, double multiplier) noexcept : atr_(period), multiplier_(multiplier) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    const double hl2 = midpoint(c.high, c.low);
    const double basic_upper = hl2 + *atr * multiplier_;
    const double basic_lower = hl2 - *atr * multiplier_;
    if (!started_) {
      upper_ = basic_upper;
      lower_ = basic_lower;
      direction_ = 1.0;
      started_ = true;
    } else {
      const double prev_upper = upper_;
      const double prev_lower = lower_;
      upper_ = (basic_upper < prev_upper || prev_close_ > prev_upper) ? basic_upper : prev_upper;
      lower_ = (basic_lower > prev_lower || prev_close_ < prev_lower) ? basic_lower : prev_lower;
      if (direction_ < 0.0) {
        if (c.close > upper_) direction_ = 1.0;
      } else {
        if (c.close < lower_) direction_ = -1.0;
      }
    }
    prev_close_ = c.close;
    return std::array<double, 2>{direction_ > 0.0 ? lower_ : upper_, direction_};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
  double multiplier_;
  double upper_ = 0.0;
  double lower_ = 0.0;
  double prev_close_ = 0.0;
  double direction_ = 1.0;
  bool started_ = false;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fractal chaos bands: over the last 2n + 1 candles, the middle one is a fractal high when its
/// high is strictly above every other high and a fractal low when its low is strictly below every
/// other low. The last fractal high is "upper", the last fractal low "lower"; yields once both exist.
class FractalChaosBands {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"upper", "lower"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<FractalChaosBands> create(std::uint64_t period);
  explicit FractalChaosBands(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(sat_add(sat_mul(period, 2), 1))), half_(static_cast<std::size_t>(period)) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    window_.push_discard({c.high, c.low});
    if (window_.full()) {
      const HighLow mid = window_[half_];
      bool is_high = true;
      bool is_low = true;
      std::size_t i = 0;
      window_.for_each([&](const HighLow& b) {
        if (i != half_) {
          if (!(mid.high > b.high)) is_high = false;
          if (!(mid.low < b.low)) is_low = false;
        }
        ++i;
      });
      if (is_high) {
        upper_ = mid.high;
        has_upper_ = true;
      }
      if (is_low) {
        lower_ = mid.low;
        has_lower_ = true;
      }
    }
    if (!has_upper_ || !has_lower_) return std::nullopt;
    return std::array<double, 2>{upper_, lower_};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> window_;
  std::size_t half_;
  double upper_ = 0.0;
  double lower_ = 0.0;
  bool has_upper_ = false;
  bool has_lower_ = false;
};

}  // namespace sorvik

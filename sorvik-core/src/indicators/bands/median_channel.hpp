#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/band_helpers.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Median channel: middle = interpolated median of the last n closes, MAD = interpolated median of
/// their absolute deviations |x - middle|; upper/lower = middle +- MAD * k.
class MedianChannel {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the period (0, then MAX_PERIOD), then k (finite and > 0).
  static Expected<MedianChannel> create(std::uint64_t period, double k);
  MedianChannel(std::uint64_t period, double k) noexcept : window_(period), k_(k) {}

  std::optional<std::array<double, 3>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    const auto& s = window_.sorted();
    const double middle = bands::quantile_of_sorted(s, 0.5);
    const double mad =
        bands::deviation_quantile(s, middle, 0.5, [middle](double v) { return std::fabs(v - middle); });
    return std::array<double, 3>{middle + mad * k_, middle, middle - mad * k_};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
  double k_;
};

}  // namespace sorvik

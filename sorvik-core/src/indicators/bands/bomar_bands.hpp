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

/// Bomar bands: mean = window sum / n of the last n closes; t = interpolated quantile at fraction
/// `coverage` of the relative deviations |(x - mean) / |mean||; lines mean +- |mean| * t (three equal
/// lines for a zero mean). The window is kept sorted, so the deviations come out in order without a
/// sort.
class BomarBands {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the period (0, then MAX_PERIOD), then coverage (finite, in (0, 1]).
  static Expected<BomarBands> create(std::uint64_t period, double coverage);
  BomarBands(std::uint64_t period, double coverage) noexcept
      : window_(period), n_(static_cast<double>(period)), coverage_(coverage) {}

  std::optional<std::array<double, 3>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    const double mean = window_sum(window_.raw()) / n_;
    double t = 0.0;
    const double scale = std::fabs(mean);
    if (mean != 0.0) {
      t = bands::deviation_quantile(window_.sorted(), mean, coverage_,
                                    [mean, scale](double v) { return std::fabs((v - mean) / scale); });
    }
    return std::array<double, 3>{mean + scale * t, mean, mean - scale * t};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
  double n_;
  double coverage_;
};

}  // namespace sorvik

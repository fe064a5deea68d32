#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Average drawdown of the last n closes taken as equity levels: the mean depth of the drawdown
/// episodes whose peak is above 0 (an episode still open at the newest close included), the
/// depths added in episode order; 0 when no episode counts.
class AverageDrawdown {
 public:
  static Expected<AverageDrawdown> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit AverageDrawdown(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    double sum = 0.0;
    std::uint64_t count = 0;
    performance::EpisodeTracker episodes;
    const auto done = [&](double peak, double trough) {
      if (peak > 0.0) {
        sum = sum + performance::episode_depth(peak, trough);
        ++count;
      }
    };
    performance::walk_levels(window_, [&](double peak, double v) { episodes.point(peak, v, done); });
    episodes.finish(done);
    if (count == 0) return 0.0;
    return sum / static_cast<double>(count);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

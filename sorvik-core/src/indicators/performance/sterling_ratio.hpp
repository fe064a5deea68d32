#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Sterling ratio of the last n returns: mean return over the average depth of the drawdown
/// episodes of the equity compounded from 1 (every episode counts, an open one included); 0 when
/// there is no episode or the average depth is not above 0.
class SterlingRatio {
 public:
  static Expected<SterlingRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit SterlingRatio(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    double sum = 0.0;
    double depths = 0.0;
    std::uint64_t count = 0;
    performance::EpisodeTracker episodes;
    const auto done = [&](double peak, double trough) {
      depths = depths + performance::episode_depth(peak, trough);
      ++count;
    };
    performance::walk_compounded(window_, [&](double r, double peak, double e) {
      sum = sum + r;
      episodes.point(peak, e, done);
    });
    episodes.finish(done);
    if (count == 0) return 0.0;
    const double average = depths / static_cast<double>(count);
    if (!(average > 0.0)) return 0.0;
    return (sum / n_) / average;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

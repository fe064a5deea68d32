#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Burke ratio of the last n returns: mean return over √Q, Q the sum of the squared depths of the
/// drawdown episodes of the equity compounded from 1 (an open one included), added in episode
/// order; 0 when Q is not above 0.
class BurkeRatio {
 public:
  static Expected<BurkeRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit BurkeRatio(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    double sum = 0.0;
    double q = 0.0;
    performance::EpisodeTracker episodes;
    const auto done = [&](double peak, double trough) {
      const double d = performance::episode_depth(peak, trough);
      q = q + d * d;
    };
    performance::walk_compounded(window_, [&](double r, double peak, double e) {
      sum = sum + r;
      episodes.point(peak, e, done);
    });
    episodes.finish(done);
    if (!(q > 0.0)) return 0.0;
    return (sum / n_) / std::sqrt(q);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Whistler wave PM: m = (close - the close p bars ago)^2 (a non-finite m is skipped) feeds an
/// exponential stage of length p, the variance estimate ev; raw = 1 - exp(-m / (ev * 2)) when ev > 0,
/// else 0, feeds an exponential stage of length s; value = that average * 100. Both stages are
/// seeded with the mean of their first inputs.
class WavePm {
 public:
  /// Checks: the period, then the smoothing (each 0, then MAX_PERIOD).
  static Expected<WavePm> create(std::uint64_t period, std::uint64_t smoothing);
  /// Precondition: `create`'s checks passed.
  WavePm(std::uint64_t period, std::uint64_t smoothing)
      : closes_(static_cast<std::size_t>(period) + 1), variance_(period), smooth_(smoothing) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    closes_.push_discard(x);
    if (!closes_.full()) return std::nullopt;
    const double diff = x - closes_.oldest();
    const double m = diff * diff;
    if (!std::isfinite(m)) return std::nullopt;
    const auto ev = variance_.update(m);
    if (!ev) return std::nullopt;
    const double raw = *ev > 0.0 ? 1.0 - std::exp(-m / (*ev * 2.0)) : 0.0;
    const auto avg = smooth_.update(raw);
    if (!avg) return std::nullopt;
    return *avg * 100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    // 2 * period + smoothing - 1
    return sat_sub(sat_add(sat_mul(2, variance_.period()), smooth_.period()), 1);
  }

 private:
  Window<double> closes_;
  ExpStage variance_;
  ExpStage smooth_;
};

}  // namespace sorvik

#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Empirical mode decomposition: the band-pass (bandwidth 0.1) of the close with its peaks and
/// valleys tracked over 50 bars; the answer is the trend component, the mean band-pass over 2n bars.
class EmpiricalModeDecomposition {
 public:
  static constexpr std::uint64_t EXTREMA_WINDOW = 50;
  /// Checks: the period (0, then MAX_PERIOD); the fraction finite and in (0, 1].
  static Expected<EmpiricalModeDecomposition> create(std::uint64_t period, double fraction);
  /// The fraction is validated only: the trend component does not depend on it.
  EmpiricalModeDecomposition(std::uint64_t period, [[maybe_unused]] double fraction)
      : bp_(period, 0.1),
        bp_sum_(sat_mul(2, period)),
        peak_sum_(EXTREMA_WINDOW),
        valley_sum_(EXTREMA_WINDOW) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double bp1 = bp_.bp1();
    const double bp2 = bp_.bp2();
    const double bp = bp_.update(x);
    if (bp1 > bp && bp1 > bp2) peak_ = bp1;
    if (bp > bp1 && bp1 < bp2) valley_ = bp1;
    bp_sum_.push(bp);
    peak_sum_.push(peak_);
    valley_sum_.push(valley_);
    if (!bp_sum_.full() || !peak_sum_.full()) return std::nullopt;
    return bp_sum_.mean();
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return std::max<std::uint64_t>(bp_sum_.period(), EXTREMA_WINDOW);
  }

 private:
  cycles::BandpassStage bp_;
  RunningSum bp_sum_;
  RunningSum peak_sum_;
  RunningSum valley_sum_;
  double peak_ = 0.0;
  double valley_ = 0.0;
};

}  // namespace sorvik

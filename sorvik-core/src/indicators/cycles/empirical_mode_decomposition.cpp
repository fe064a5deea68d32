#include "indicators/cycles/empirical_mode_decomposition.hpp"

namespace sorvik {

Expected<EmpiricalModeDecomposition> EmpiricalModeDecomposition::create(std::uint64_t period, double fraction) {
  if (auto err = check_period(period)) return fail(*err);
  if (!std::isfinite(fraction) || !(fraction > 0.0) || !(fraction <= 1.0)) {
    return fail(IndicatorError::invalid_period("fraction must be in (0, 1]"));
  }
  return EmpiricalModeDecomposition(period, fraction);
}

}  // namespace sorvik

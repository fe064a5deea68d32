#include "indicators/momentum/pmo.hpp"

namespace sorvik {

Expected<Pmo> Pmo::create(std::uint64_t smoothing1, std::uint64_t smoothing2) {
  if (smoothing1 < 2 || smoothing2 < 2) {
    return fail(IndicatorError::invalid_period("PMO smoothing periods must be >= 2"));
  }
  for (const std::uint64_t p : {smoothing1, smoothing2}) {
    const double alpha = alpha_of(p);
    if (!(alpha > 0.0 && alpha <= 1.0)) return fail(IndicatorError::invalid_period("alpha must be in (0.0, 1.0]"));
  }
  return Pmo(smoothing1, smoothing2);
}

}  // namespace sorvik

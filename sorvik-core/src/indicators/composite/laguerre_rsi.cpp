#include "indicators/composite/laguerre_rsi.hpp"

namespace sorvik {

Expected<LaguerreRsi> LaguerreRsi::create(double gamma) {
  if (!(std::isfinite(gamma) && gamma >= 0.0 && gamma <= 1.0)) {
    return fail(IndicatorError::invalid_period("LaguerreRSI gamma must be a finite value in [0, 1]"));
  }
  return LaguerreRsi(gamma);
}

}  // namespace sorvik

#include "indicators/volatility/ewma_volatility.hpp"

namespace sorvik {

Expected<EwmaVolatility> EwmaVolatility::create(double lambda) {
  if (!(lambda > 0.0 && lambda < 1.0)) {
    return fail(IndicatorError::invalid_parameter("EWMA volatility lambda must be in the open interval (0, 1)"));
  }
  return EwmaVolatility(lambda);
}

}  // namespace sorvik

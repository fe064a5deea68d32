#include "indicators/pairs/kalman_hedge_ratio.hpp"

#include <cmath>

namespace sorvik {

Expected<KalmanHedgeRatio> KalmanHedgeRatio::create(double delta, double observation_var) {
  if (!(delta > 0.0 && delta < 1.0)) {
    return fail(IndicatorError::invalid_parameter("kalman hedge ratio needs delta in (0, 1)"));
  }
  if (!(observation_var > 0.0) || !std::isfinite(observation_var)) {
    return fail(IndicatorError::invalid_parameter("kalman hedge ratio needs observation_var > 0"));
  }
  return KalmanHedgeRatio(delta, observation_var);
}

}  // namespace sorvik

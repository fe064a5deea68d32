#include "indicators/volatility/garch11.hpp"

namespace sorvik {

Expected<Garch11> Garch11::create(double omega, double alpha, double beta) {
  if (!(std::isfinite(omega) && std::isfinite(alpha) && std::isfinite(beta))) {
    return fail(IndicatorError::invalid_parameter("GARCH(1,1) parameters must be finite"));
  }
  if (!(omega > 0.0)) return fail(IndicatorError::invalid_parameter("GARCH(1,1) omega must be > 0"));
  if (!(alpha >= 0.0 && beta >= 0.0)) {
    return fail(IndicatorError::invalid_parameter("GARCH(1,1) alpha and beta must be >= 0"));
  }
  if (!(alpha + beta < 1.0)) {
    return fail(IndicatorError::invalid_parameter(
        "GARCH(1,1) requires alpha + beta < 1 (covariance stationarity)"));
  }
  return Garch11(omega, alpha, beta);
}

}  // namespace sorvik

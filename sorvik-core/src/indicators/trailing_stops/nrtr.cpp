#include "indicators/trailing_stops/nrtr.hpp"

namespace sorvik {

Expected<Nrtr> Nrtr::create(double percent) {
  if (!(percent > 0.0 && percent < 100.0)) {
    return fail(IndicatorError::invalid_period("NRTR percentage must be in (0, 100)"));
  }
  return Nrtr(percent);
}

}  // namespace sorvik

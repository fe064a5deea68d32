#include "indicators/bands/bomar_bands.hpp"

#include <cmath>

namespace sorvik {

Expected<BomarBands> BomarBands::create(std::uint64_t period, double coverage) {
  if (auto err = check_period(period)) return fail(*err);
  if (!(std::isfinite(coverage) && coverage > 0.0 && coverage <= 1.0)) {
    return fail(IndicatorError::invalid_parameter("bomar bands coverage must be a finite value in (0.0, 1.0]"));
  }
  return BomarBands(period, coverage);
}

}  // namespace sorvik

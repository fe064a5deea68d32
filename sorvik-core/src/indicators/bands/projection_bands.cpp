#include "indicators/bands/projection_bands.hpp"

namespace sorvik {

Expected<ProjectionBands> ProjectionBands::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("projection bands need period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return ProjectionBands(period);
}

}  // namespace sorvik

#include "indicators/composite/projection_oscillator.hpp"

namespace sorvik {

Expected<ProjectionOscillator> ProjectionOscillator::create(std::uint64_t period) {
  auto bands = ProjectionBands::create(period);
  if (!bands) return fail(bands.error());
  return ProjectionOscillator(period);
}

}  // namespace sorvik

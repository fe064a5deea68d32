#include "indicators/bands/acceleration_bands.hpp"

namespace sorvik {

Expected<AccelerationBands> AccelerationBands::create(std::uint64_t period, double factor) {
  if (auto err = check_period(period)) return fail(*err);
  return AccelerationBands(period, factor);
}

}  // namespace sorvik

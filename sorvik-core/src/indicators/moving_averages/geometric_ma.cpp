#include "indicators/moving_averages/geometric_ma.hpp"

namespace sorvik {

Expected<GeometricMa> GeometricMa::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return GeometricMa(period);
}

}  // namespace sorvik

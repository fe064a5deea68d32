#include "indicators/statistics/coefficient_of_variation.hpp"

namespace sorvik {

Expected<CoefficientOfVariation> CoefficientOfVariation::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return CoefficientOfVariation(period);
}

}  // namespace sorvik

#include "indicators/statistics/variance.hpp"

namespace sorvik {

Expected<Variance> Variance::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Variance(period);
}

}  // namespace sorvik

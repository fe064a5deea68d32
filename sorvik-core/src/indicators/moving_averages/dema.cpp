#include "indicators/moving_averages/dema.hpp"

namespace sorvik {

Expected<Dema> Dema::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Dema(period);
}

}  // namespace sorvik

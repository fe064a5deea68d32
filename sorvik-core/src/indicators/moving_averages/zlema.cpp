#include "indicators/moving_averages/zlema.hpp"

namespace sorvik {

Expected<Zlema> Zlema::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Zlema(period);
}

}  // namespace sorvik

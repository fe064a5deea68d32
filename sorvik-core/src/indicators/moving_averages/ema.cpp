#include "indicators/moving_averages/ema.hpp"

namespace sorvik {

Expected<Ema> Ema::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Ema(period);
}

}  // namespace sorvik

#include "indicators/moving_averages/trima.hpp"

namespace sorvik {

Expected<Trima> Trima::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Trima(period);
}

}  // namespace sorvik

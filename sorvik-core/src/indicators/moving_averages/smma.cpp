#include "indicators/moving_averages/smma.hpp"

namespace sorvik {

Expected<Smma> Smma::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Smma(period);
}

}  // namespace sorvik

#include "indicators/moving_averages/ehma.hpp"

namespace sorvik {

Expected<Ehma> Ehma::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Ehma(period);
}

}  // namespace sorvik

#include "indicators/moving_averages/hma.hpp"

namespace sorvik {

Expected<Hma> Hma::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Hma(period);
}

}  // namespace sorvik

#include "indicators/moving_averages/wma.hpp"

namespace sorvik {

Expected<Wma> Wma::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Wma(period);
}

}  // namespace sorvik

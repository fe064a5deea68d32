#include "indicators/moving_averages/sma.hpp"

namespace sorvik {

Expected<Sma> Sma::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Sma(period);
}

}  // namespace sorvik

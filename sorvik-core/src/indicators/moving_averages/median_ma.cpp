#include "indicators/moving_averages/median_ma.hpp"

namespace sorvik {

Expected<MedianMa> MedianMa::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MedianMa(period);
}

}  // namespace sorvik

#include "indicators/moving_averages/smoothed_heikin_ashi.hpp"

namespace sorvik {

Expected<SmoothedHeikinAshi> SmoothedHeikinAshi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return SmoothedHeikinAshi(period);
}

}  // namespace sorvik

#include "indicators/trailing_stops/donchian_stop.hpp"

namespace sorvik {

Expected<DonchianStop> DonchianStop::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return DonchianStop(period);
}

}  // namespace sorvik

#include "indicators/trailing_stops/modified_ma_stop.hpp"

namespace sorvik {

Expected<ModifiedMaStop> ModifiedMaStop::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return ModifiedMaStop(period);
}

}  // namespace sorvik

#include "indicators/trailing_stops/hi_lo_activator.hpp"

namespace sorvik {

Expected<HiLoActivator> HiLoActivator::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return HiLoActivator(period);
}

}  // namespace sorvik

#include "indicators/trailing_stops/chande_kroll_stop.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<ChandeKrollStop> ChandeKrollStop::create(std::uint64_t p, double multiplier, std::uint64_t q) {
  if (auto err = check_period(p)) return fail(*err);
  if (auto err = bands::check_multiplier(multiplier)) return fail(*err);
  if (auto err = check_period(q)) return fail(*err);
  return ChandeKrollStop(p, multiplier, q);
}

}  // namespace sorvik

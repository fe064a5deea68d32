#include "indicators/trailing_stops/atr_ratchet.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<AtrRatchet> AtrRatchet::create(std::uint64_t period, double initial, double step) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(initial)) return fail(*err);
  if (auto err = bands::check_multiplier(step)) return fail(*err);
  return AtrRatchet(period, initial, step);
}

}  // namespace sorvik

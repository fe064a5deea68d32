#include "indicators/bands/ma_envelope.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<MaEnvelope> MaEnvelope::create(std::uint64_t period, double percent) {
  if (auto err = bands::check_multiplier(percent)) return fail(*err);
  if (auto err = check_period(period)) return fail(*err);
  return MaEnvelope(period, percent);
}

}  // namespace sorvik

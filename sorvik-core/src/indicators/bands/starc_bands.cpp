#include "indicators/bands/starc_bands.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<StarcBands> StarcBands::create(std::uint64_t sma_period, std::uint64_t atr_period, double multiplier) {
  if (auto err = bands::check_multiplier(multiplier)) return fail(*err);
  if (auto err = check_period(sma_period)) return fail(*err);
  if (auto err = check_period(atr_period)) return fail(*err);
  return StarcBands(sma_period, atr_period, multiplier);
}

}  // namespace sorvik

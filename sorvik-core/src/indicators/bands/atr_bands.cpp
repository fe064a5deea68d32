#include "indicators/bands/atr_bands.hpp"

namespace sorvik {

Expected<AtrBands> AtrBands::create(std::uint64_t period, double multiplier) {
  if (auto err = check_period(period)) return fail(*err);
  return AtrBands(period, multiplier);
}

}  // namespace sorvik

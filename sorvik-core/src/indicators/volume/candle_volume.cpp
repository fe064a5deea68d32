#include "indicators/volume/candle_volume.hpp"

namespace sorvik {

Expected<CandleVolume> CandleVolume::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return CandleVolume(period);
}

}  // namespace sorvik

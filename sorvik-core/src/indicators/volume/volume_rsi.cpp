#include "indicators/volume/volume_rsi.hpp"

namespace sorvik {

Expected<VolumeRsi> VolumeRsi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return VolumeRsi(period);
}

}  // namespace sorvik

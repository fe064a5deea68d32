#include "indicators/bands/hurst_channel.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<HurstChannel> HurstChannel::create(std::uint64_t period, double width) {
  if (auto err = bands::check_multiplier(width)) return fail(*err);
  if (auto err = check_period(period)) return fail(*err);
  return HurstChannel(period, width);
}

}  // namespace sorvik

#include "indicators/bands/median_channel.hpp"

namespace sorvik {

Expected<MedianChannel> MedianChannel::create(std::uint64_t period, double k) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(k)) return fail(*err);
  return MedianChannel(period, k);
}

}  // namespace sorvik

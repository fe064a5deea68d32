#include "indicators/profiles/high_low_volume_nodes.hpp"

namespace sorvik {

Expected<HighLowVolumeNodes> HighLowVolumeNodes::create(std::uint64_t period, std::uint64_t bins) {
  if (auto err = profiles::check_period_and_bins(period, bins)) return fail(*err);
  return HighLowVolumeNodes(period, bins);
}

}  // namespace sorvik

#include "indicators/momentum/disparity_index.hpp"

namespace sorvik {

Expected<DisparityIndex> DisparityIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return DisparityIndex(period);
}

}  // namespace sorvik

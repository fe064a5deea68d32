#include "indicators/volume/force_index.hpp"

namespace sorvik {

Expected<ForceIndex> ForceIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return ForceIndex(period);
}

}  // namespace sorvik

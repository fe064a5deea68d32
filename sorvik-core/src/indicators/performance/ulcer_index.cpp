#include "indicators/performance/ulcer_index.hpp"

namespace sorvik {

Expected<UlcerIndex> UlcerIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return UlcerIndex(period);
}

}  // namespace sorvik

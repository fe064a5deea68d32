#include "indicators/derivatives_breadth/high_low_index.hpp"

namespace sorvik {

Expected<HighLowIndex> HighLowIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return HighLowIndex(period);
}

}  // namespace sorvik

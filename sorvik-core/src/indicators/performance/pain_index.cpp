#include "indicators/performance/pain_index.hpp"

namespace sorvik {

Expected<PainIndex> PainIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return PainIndex(period);
}

}  // namespace sorvik

#include "indicators/composite/dynamic_momentum_index.hpp"

namespace sorvik {

Expected<DynamicMomentumIndex> DynamicMomentumIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return DynamicMomentumIndex(period);
}

}  // namespace sorvik

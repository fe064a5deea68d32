#include "indicators/directional/choppiness_index.hpp"

namespace sorvik {

Expected<ChoppinessIndex> ChoppinessIndex::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("choppiness index needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return ChoppinessIndex(period);
}

}  // namespace sorvik

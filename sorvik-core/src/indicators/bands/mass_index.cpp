#include "indicators/bands/mass_index.hpp"

namespace sorvik {

Expected<MassIndex> MassIndex::create(std::uint64_t ema_period, std::uint64_t sum_period) {
  if (auto err = check_period(ema_period)) return fail(*err);
  if (sum_period == 0) return fail(IndicatorError::zero_period());
  return MassIndex(ema_period, sum_period);
}

}  // namespace sorvik

#include "indicators/demark/td_moving_average.hpp"

namespace sorvik {

Expected<TdMovingAverage> TdMovingAverage::create(std::uint64_t st1, std::uint64_t st2) {
  if (st1 == 0 || st2 == 0) return fail(IndicatorError::zero_period());
  if (st1 >= st2) {
    return fail(IndicatorError::invalid_period("TD moving average ST1 period must be strictly less than ST2"));
  }
  return TdMovingAverage(st1, st2);
}

}  // namespace sorvik

#include "indicators/demark/td_setup.hpp"

namespace sorvik {

Expected<TdSetup> TdSetup::create(std::uint64_t lookback, std::uint64_t length) {
  if (lookback == 0 || length == 0) return fail(IndicatorError::zero_period());
  return TdSetup(lookback, length);
}

}  // namespace sorvik

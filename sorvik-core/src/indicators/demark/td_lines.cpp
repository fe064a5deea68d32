#include "indicators/demark/td_lines.hpp"

namespace sorvik {

Expected<TdLines> TdLines::create(std::uint64_t lookback, std::uint64_t length) {
  if (lookback == 0 || length == 0) return fail(IndicatorError::zero_period());
  return TdLines(lookback, length);
}

}  // namespace sorvik

#include "indicators/momentum/macd_indicator.hpp"

namespace sorvik {

Expected<MacdIndicator> MacdIndicator::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) {
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("fast period must be strictly less than slow period"));
  if (auto err = check_period(fast)) return fail(*err);
  if (auto err = check_period(slow)) return fail(*err);
  if (auto err = check_period(signal)) return fail(*err);
  return MacdIndicator(fast, slow, signal);
}

}  // namespace sorvik

#include "indicators/momentum/zero_lag_macd.hpp"

namespace sorvik {

Expected<ZeroLagMacd> ZeroLagMacd::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) {
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("ZeroLagMACD fast period must be strictly less than slow"));
  if (auto err = check_period(fast)) return fail(*err);
  if (auto err = check_period(slow)) return fail(*err);
  if (auto err = check_period(signal)) return fail(*err);
  return ZeroLagMacd(fast, slow, signal);
}

}  // namespace sorvik

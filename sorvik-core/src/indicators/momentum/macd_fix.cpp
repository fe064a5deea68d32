#include "indicators/momentum/macd_fix.hpp"

namespace sorvik {

Expected<MacdFix> MacdFix::create(std::uint64_t signal) {
  if (auto err = check_period(signal)) return fail(*err);
  return MacdFix(signal);
}

}  // namespace sorvik

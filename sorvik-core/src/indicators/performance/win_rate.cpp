#include "indicators/performance/win_rate.hpp"

namespace sorvik {

Expected<WinRate> WinRate::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return WinRate(period);
}

}  // namespace sorvik

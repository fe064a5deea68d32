#include "indicators/statistics/log_return.hpp"

namespace sorvik {

Expected<LogReturn> LogReturn::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return LogReturn(period);
}

}  // namespace sorvik

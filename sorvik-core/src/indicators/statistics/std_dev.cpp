#include "indicators/statistics/std_dev.hpp"

namespace sorvik {

Expected<StdDev> StdDev::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return StdDev(period);
}

}  // namespace sorvik

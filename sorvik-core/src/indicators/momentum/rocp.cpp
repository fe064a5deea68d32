#include "indicators/momentum/rocp.hpp"

namespace sorvik {

Expected<Rocp> Rocp::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Rocp(period);
}

}  // namespace sorvik

#include "indicators/momentum/williams_r.hpp"

namespace sorvik {

Expected<WilliamsR> WilliamsR::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return WilliamsR(period);
}

}  // namespace sorvik

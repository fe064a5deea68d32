#include "indicators/moving_averages/mid_price.hpp"

namespace sorvik {

Expected<MidPrice> MidPrice::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MidPrice(period);
}

}  // namespace sorvik

#include "indicators/directional/ttm_trend.hpp"

namespace sorvik {

Expected<TtmTrend> TtmTrend::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return TtmTrend(period);
}

}  // namespace sorvik

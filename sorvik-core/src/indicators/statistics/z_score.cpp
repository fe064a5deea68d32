#include "indicators/statistics/z_score.hpp"

namespace sorvik {

Expected<ZScore> ZScore::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return ZScore(period);
}

}  // namespace sorvik

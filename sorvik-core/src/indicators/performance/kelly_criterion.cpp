#include "indicators/performance/kelly_criterion.hpp"

namespace sorvik {

Expected<KellyCriterion> KellyCriterion::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return KellyCriterion(period);
}

}  // namespace sorvik

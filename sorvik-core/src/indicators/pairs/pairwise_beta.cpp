#include "indicators/pairs/pairwise_beta.hpp"

namespace sorvik {

Expected<PairwiseBeta> PairwiseBeta::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "pairwise beta needs period >= 2")) return fail(*err);
  return PairwiseBeta(period);
}

}  // namespace sorvik

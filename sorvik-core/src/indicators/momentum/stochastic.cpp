#include "indicators/momentum/stochastic.hpp"

namespace sorvik {

Expected<Stochastic> Stochastic::create(std::uint64_t k_period, std::uint64_t d_period) {
  if (k_period == 0) return fail(IndicatorError::zero_period());
  if (auto err = check_period(d_period)) return fail(*err);
  return Stochastic(k_period, d_period);
}

}  // namespace sorvik

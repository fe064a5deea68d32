#include "indicators/cycles/ehlers_stochastic.hpp"

namespace sorvik {

Expected<EhlersStochastic> EhlersStochastic::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return EhlersStochastic(period);
}

}  // namespace sorvik

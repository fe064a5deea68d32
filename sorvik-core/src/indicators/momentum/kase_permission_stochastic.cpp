#include "indicators/momentum/kase_permission_stochastic.hpp"

namespace sorvik {

Expected<KasePermissionStochastic> KasePermissionStochastic::create(std::uint64_t period, std::uint64_t smoothing) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = check_period(smoothing)) return fail(*err);
  return KasePermissionStochastic(period, smoothing);
}

}  // namespace sorvik

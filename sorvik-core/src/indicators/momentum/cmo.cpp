#include "indicators/momentum/cmo.hpp"

namespace sorvik {

Expected<Cmo> Cmo::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Cmo(period);
}

}  // namespace sorvik

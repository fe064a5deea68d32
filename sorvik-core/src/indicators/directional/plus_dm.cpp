#include "indicators/directional/plus_dm.hpp"

namespace sorvik {

Expected<PlusDm> PlusDm::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return PlusDm(period);
}

}  // namespace sorvik

#include "indicators/directional/plus_di.hpp"

namespace sorvik {

Expected<PlusDi> PlusDi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return PlusDi(period);
}

}  // namespace sorvik

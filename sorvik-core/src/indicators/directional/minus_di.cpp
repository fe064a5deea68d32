#include "indicators/directional/minus_di.hpp"

namespace sorvik {

Expected<MinusDi> MinusDi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MinusDi(period);
}

}  // namespace sorvik

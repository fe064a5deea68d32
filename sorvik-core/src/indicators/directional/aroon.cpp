#include "indicators/directional/aroon.hpp"

namespace sorvik {

Expected<Aroon> Aroon::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Aroon(period);
}

}  // namespace sorvik

#include "indicators/volume/vzo.hpp"

namespace sorvik {

Expected<Vzo> Vzo::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Vzo(period);
}

}  // namespace sorvik

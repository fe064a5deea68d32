#include "indicators/directional/vortex.hpp"

namespace sorvik {

Expected<Vortex> Vortex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Vortex(period);
}

}  // namespace sorvik

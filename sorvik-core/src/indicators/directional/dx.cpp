#include "indicators/directional/dx.hpp"

namespace sorvik {

Expected<Dx> Dx::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Dx(period);
}

}  // namespace sorvik

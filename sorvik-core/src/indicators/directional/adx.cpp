#include "indicators/directional/adx.hpp"

namespace sorvik {

Expected<Adx> Adx::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Adx(period);
}

}  // namespace sorvik

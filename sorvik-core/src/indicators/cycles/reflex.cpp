#include "indicators/cycles/reflex.hpp"

namespace sorvik {

Expected<Reflex> Reflex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Reflex(period);
}

}  // namespace sorvik

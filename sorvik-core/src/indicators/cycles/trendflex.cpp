#include "indicators/cycles/trendflex.hpp"

namespace sorvik {

Expected<Trendflex> Trendflex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Trendflex(period);
}

}  // namespace sorvik

#include "indicators/pairs/ou_half_life.hpp"

namespace sorvik {

Expected<OuHalfLife> OuHalfLife::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 3, "OU half-life needs period >= 3")) return fail(*err);
  return OuHalfLife(period);
}

}  // namespace sorvik

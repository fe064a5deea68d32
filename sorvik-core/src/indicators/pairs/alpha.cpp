#include "indicators/pairs/alpha.hpp"

namespace sorvik {

Expected<Alpha> Alpha::create(std::uint64_t period, double risk_free) {
  if (auto err = pairs::check_min_period(period, 2, "alpha needs period >= 2")) return fail(*err);
  return Alpha(period, risk_free);
}

}  // namespace sorvik

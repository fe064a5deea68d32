#include "indicators/pairs/beta.hpp"

namespace sorvik {

Expected<Beta> Beta::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "beta needs period >= 2")) return fail(*err);
  return Beta(period);
}

}  // namespace sorvik

#include "indicators/directional/minus_dm.hpp"

namespace sorvik {

Expected<MinusDm> MinusDm::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MinusDm(period);
}

}  // namespace sorvik

#include "indicators/momentum/mom.hpp"

namespace sorvik {

Expected<Mom> Mom::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Mom(period);
}

}  // namespace sorvik

#include "indicators/bands/natr.hpp"

namespace sorvik {

Expected<Natr> Natr::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Natr(period);
}

}  // namespace sorvik

#include "indicators/directional/adxr.hpp"

namespace sorvik {

Expected<Adxr> Adxr::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Adxr(period);
}

}  // namespace sorvik

#include "indicators/directional/rwi.hpp"

namespace sorvik {

Expected<Rwi> Rwi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  if (period < 2) return fail(IndicatorError::invalid_period("RWI requires period >= 2"));
  return Rwi(period);
}

}  // namespace sorvik

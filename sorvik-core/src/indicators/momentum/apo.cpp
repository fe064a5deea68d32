#include "indicators/momentum/apo.hpp"

namespace sorvik {

Expected<Apo> Apo::create(std::uint64_t fast, std::uint64_t slow) {
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("APO fast period must be strictly less than slow"));
  if (auto err = check_period(fast)) return fail(*err);
  if (auto err = check_period(slow)) return fail(*err);
  return Apo(fast, slow);
}

}  // namespace sorvik

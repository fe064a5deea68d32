#include "indicators/composite/stc.hpp"

namespace sorvik {

Expected<Stc> Stc::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t cycle, double factor) {
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("STC fast period must be strictly less than slow"));
  if (auto err = check_period(fast)) return fail(*err);
  if (auto err = check_period(slow)) return fail(*err);
  if (auto err = check_period(cycle)) return fail(*err);
  if (!(std::isfinite(factor) && factor > 0.0 && factor <= 1.0)) {
    return fail(IndicatorError::invalid_period("STC factor must be a finite value in (0, 1]"));
  }
  return Stc(fast, slow, cycle, factor);
}

}  // namespace sorvik

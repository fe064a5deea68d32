#include "indicators/performance/gain_to_pain_ratio.hpp"

namespace sorvik {

Expected<GainToPainRatio> GainToPainRatio::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return GainToPainRatio(period);
}

}  // namespace sorvik

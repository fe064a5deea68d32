#include "indicators/composite/awesome_oscillator.hpp"

namespace sorvik {

Expected<AwesomeOscillator> AwesomeOscillator::create(std::uint64_t fast, std::uint64_t slow) {
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("AO fast period must be strictly less than slow"));
  if (auto err = check_periods(fast, slow)) return fail(*err);
  return AwesomeOscillator(fast, slow);
}

}  // namespace sorvik

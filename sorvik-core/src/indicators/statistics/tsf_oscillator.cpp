#include "indicators/statistics/tsf_oscillator.hpp"

namespace sorvik {

Expected<TsfOscillator> TsfOscillator::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("TSF oscillator needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return TsfOscillator(period);
}

}  // namespace sorvik

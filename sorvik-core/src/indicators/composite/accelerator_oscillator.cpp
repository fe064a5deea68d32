#include "indicators/composite/accelerator_oscillator.hpp"

namespace sorvik {

Expected<AcceleratorOscillator> AcceleratorOscillator::create(std::uint64_t fast, std::uint64_t slow,
                                                              std::uint64_t signal) {
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("AO fast period must be strictly less than slow"));
  if (auto err = AwesomeOscillator::check_periods(fast, slow)) return fail(*err);
  if (auto err = check_period(signal)) return fail(*err);
  return AcceleratorOscillator(fast, slow, signal);
}

}  // namespace sorvik

#include "indicators/composite/awesome_oscillator_histogram.hpp"

namespace sorvik {

Expected<AwesomeOscillatorHistogram> AwesomeOscillatorHistogram::create(std::uint64_t fast, std::uint64_t slow,
                                                                        std::uint64_t lag) {
  if (!(fast < slow)) {
    return fail(IndicatorError::invalid_period("AwesomeOscillatorHistogram fast must be strictly less than slow"));
  }
  if (auto err = AwesomeOscillator::check_periods(fast, slow)) return fail(*err);
  if (auto err = check_period(lag)) return fail(*err);
  return AwesomeOscillatorHistogram(fast, slow, lag);
}

}  // namespace sorvik

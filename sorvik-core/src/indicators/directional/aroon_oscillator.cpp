#include "indicators/directional/aroon_oscillator.hpp"

namespace sorvik {

Expected<AroonOscillator> AroonOscillator::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return AroonOscillator(period);
}

}  // namespace sorvik

#include "indicators/cycles/universal_oscillator.hpp"

namespace sorvik {

Expected<UniversalOscillator> UniversalOscillator::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return UniversalOscillator(period);
}

}  // namespace sorvik

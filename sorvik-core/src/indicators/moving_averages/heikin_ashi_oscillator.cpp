#include "indicators/moving_averages/heikin_ashi_oscillator.hpp"

namespace sorvik {

Expected<HeikinAshiOscillator> HeikinAshiOscillator::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return HeikinAshiOscillator(period);
}

}  // namespace sorvik

#include "indicators/composite/ultimate_oscillator.hpp"

namespace sorvik {

Expected<UltimateOscillator> UltimateOscillator::create(std::uint64_t short_period, std::uint64_t medium_period,
                                                        std::uint64_t long_period) {
  if (auto err = check_period(short_period)) return fail(*err);
  if (auto err = check_period(medium_period)) return fail(*err);
  if (auto err = check_period(long_period)) return fail(*err);
  return UltimateOscillator(short_period, medium_period, long_period);
}

}  // namespace sorvik

#include "indicators/momentum/derivative_oscillator.hpp"

namespace sorvik {

Expected<DerivativeOscillator> DerivativeOscillator::create(std::uint64_t rsi, std::uint64_t ema1,
                                                            std::uint64_t ema2, std::uint64_t sma) {
  for (const std::uint64_t n : {rsi, ema1, ema2, sma}) {
    if (auto err = check_period(n)) return fail(*err);
  }
  return DerivativeOscillator(rsi, ema1, ema2, sma);
}

}  // namespace sorvik

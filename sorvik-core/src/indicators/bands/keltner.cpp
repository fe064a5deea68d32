#include "indicators/bands/keltner.hpp"

namespace sorvik {

Expected<Keltner> Keltner::create(std::uint64_t ema_period, std::uint64_t atr_period, double multiplier) {
  if (auto err = check_period(ema_period)) return fail(*err);
  if (auto err = check_period(atr_period)) return fail(*err);
  return Keltner(ema_period, atr_period, multiplier);
}

}  // namespace sorvik

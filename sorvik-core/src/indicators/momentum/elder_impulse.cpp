#include "indicators/momentum/elder_impulse.hpp"

namespace sorvik {

Expected<ElderImpulse> ElderImpulse::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal,
                                            std::uint64_t ema) {
  if (auto made = MacdIndicator::create(fast, slow, signal); !made) return fail(made.error());
  if (auto err = check_period(ema)) return fail(*err);
  return ElderImpulse(fast, slow, signal, ema);
}

}  // namespace sorvik

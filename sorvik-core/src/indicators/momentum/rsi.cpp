#include "indicators/momentum/rsi.hpp"

namespace sorvik {

Expected<Rsi> Rsi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Rsi(period);
}

}  // namespace sorvik

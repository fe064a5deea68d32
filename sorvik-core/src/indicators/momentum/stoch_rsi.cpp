#include "indicators/momentum/stoch_rsi.hpp"

namespace sorvik {

Expected<StochRsi> StochRsi::create(std::uint64_t rsi_period, std::uint64_t stoch_period) {
  if (auto err = check_period(rsi_period)) return fail(*err);
  if (auto err = check_period(stoch_period)) return fail(*err);
  return StochRsi(rsi_period, stoch_period);
}

}  // namespace sorvik

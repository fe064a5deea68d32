#include "indicators/composite/adaptive_rsi.hpp"

namespace sorvik {

Expected<AdaptiveRsi> AdaptiveRsi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return AdaptiveRsi(period);
}

}  // namespace sorvik

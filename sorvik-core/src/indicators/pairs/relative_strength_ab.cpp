#include "indicators/pairs/relative_strength_ab.hpp"

namespace sorvik {

Expected<RelativeStrengthAB> RelativeStrengthAB::create(std::uint64_t ma_period, std::uint64_t rsi_period) {
  if (auto err = check_period(ma_period)) return fail(*err);
  if (auto err = check_period(rsi_period)) return fail(*err);
  return RelativeStrengthAB(ma_period, rsi_period);
}

}  // namespace sorvik

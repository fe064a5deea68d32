#include "indicators/pairs/beta_neutral_spread.hpp"

namespace sorvik {

Expected<BetaNeutralSpread> BetaNeutralSpread::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "beta-neutral spread needs period >= 2")) return fail(*err);
  return BetaNeutralSpread(period);
}

}  // namespace sorvik

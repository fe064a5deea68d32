#include "indicators/momentum/ppo.hpp"

namespace sorvik {

Expected<Ppo> Ppo::create(std::uint64_t fast, std::uint64_t slow) {
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("PPO fast period must be < slow period"));
  if (auto err = check_period(fast)) return fail(*err);
  if (auto err = check_period(slow)) return fail(*err);
  return Ppo(fast, slow);
}

}  // namespace sorvik

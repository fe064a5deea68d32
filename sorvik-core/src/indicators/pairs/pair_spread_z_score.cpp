#include "indicators/pairs/pair_spread_z_score.hpp"

namespace sorvik {

Expected<PairSpreadZScore> PairSpreadZScore::create(std::uint64_t beta_period, std::uint64_t z_period) {
  if (auto err = pairs::check_min_period(beta_period, 2, "pair spread z-score needs beta_period >= 2")) return fail(*err);
  if (auto err = pairs::check_min_period(z_period, 2, "pair spread z-score needs z_period >= 2")) return fail(*err);
  return PairSpreadZScore(beta_period, z_period);
}

}  // namespace sorvik

#include "indicators/microstructure/amihud_illiquidity.hpp"

namespace sorvik {

Expected<AmihudIlliquidity> AmihudIlliquidity::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return AmihudIlliquidity(period);
}

}  // namespace sorvik

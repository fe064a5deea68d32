#include "indicators/microstructure/realized_spread.hpp"

namespace sorvik {

Expected<RealizedSpread> RealizedSpread::create(std::uint64_t horizon) {
  if (auto err = check_period(horizon)) return fail(*err);
  return RealizedSpread(horizon);
}

}  // namespace sorvik

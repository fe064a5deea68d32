#include "indicators/derivatives_breadth/oi_price_divergence.hpp"

namespace sorvik {

Expected<OIPriceDivergence> OIPriceDivergence::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return OIPriceDivergence(period);
}

}  // namespace sorvik

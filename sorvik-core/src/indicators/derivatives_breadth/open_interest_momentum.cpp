#include "indicators/derivatives_breadth/open_interest_momentum.hpp"

namespace sorvik {

Expected<OpenInterestMomentum> OpenInterestMomentum::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return OpenInterestMomentum(period);
}

}  // namespace sorvik

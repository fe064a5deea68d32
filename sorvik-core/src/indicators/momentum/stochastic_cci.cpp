#include "indicators/momentum/stochastic_cci.hpp"

namespace sorvik {

Expected<StochasticCci> StochasticCci::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return StochasticCci(period);
}

}  // namespace sorvik

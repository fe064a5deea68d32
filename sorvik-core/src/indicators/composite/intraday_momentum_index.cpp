#include "indicators/composite/intraday_momentum_index.hpp"

namespace sorvik {

Expected<IntradayMomentumIndex> IntradayMomentumIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return IntradayMomentumIndex(period);
}

}  // namespace sorvik

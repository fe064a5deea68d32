#include "indicators/composite/cfo.hpp"

namespace sorvik {

Expected<Cfo> Cfo::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("linear regression needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return Cfo(period);
}

}  // namespace sorvik

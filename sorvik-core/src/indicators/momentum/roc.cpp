#include "indicators/momentum/roc.hpp"

namespace sorvik {

Expected<Roc> Roc::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Roc(period);
}

}  // namespace sorvik

#include "indicators/momentum/cci.hpp"

namespace sorvik {

Expected<Cci> Cci::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Cci(period);
}

}  // namespace sorvik

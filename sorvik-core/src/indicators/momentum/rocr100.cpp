#include "indicators/momentum/rocr100.hpp"

namespace sorvik {

Expected<Rocr100> Rocr100::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Rocr100(period);
}

}  // namespace sorvik

#include "indicators/momentum/rocr.hpp"

namespace sorvik {

Expected<Rocr> Rocr::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Rocr(period);
}

}  // namespace sorvik

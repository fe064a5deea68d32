#include "indicators/momentum/dpo.hpp"

namespace sorvik {

Expected<Dpo> Dpo::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Dpo(period);
}

}  // namespace sorvik

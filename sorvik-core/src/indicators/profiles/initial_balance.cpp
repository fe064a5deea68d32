#include "indicators/profiles/initial_balance.hpp"

namespace sorvik {

Expected<InitialBalance> InitialBalance::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return InitialBalance(period);
}

}  // namespace sorvik

#include "indicators/performance/profit_factor.hpp"

namespace sorvik {

Expected<ProfitFactor> ProfitFactor::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return ProfitFactor(period);
}

}  // namespace sorvik

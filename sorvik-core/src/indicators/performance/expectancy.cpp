#include "indicators/performance/expectancy.hpp"

namespace sorvik {

Expected<Expectancy> Expectancy::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Expectancy(period);
}

}  // namespace sorvik

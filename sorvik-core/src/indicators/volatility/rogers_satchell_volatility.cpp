#include "indicators/volatility/rogers_satchell_volatility.hpp"

namespace sorvik {

Expected<RogersSatchellVolatility> RogersSatchellVolatility::create(std::uint64_t period, std::uint64_t periods_per_year) {
  if (auto err = volatility::check_range_estimator(period, periods_per_year)) return fail(*err);
  return RogersSatchellVolatility(period, periods_per_year);
}

}  // namespace sorvik

#include "indicators/volatility/garman_klass_volatility.hpp"

namespace sorvik {

Expected<GarmanKlassVolatility> GarmanKlassVolatility::create(std::uint64_t period, std::uint64_t periods_per_year) {
  if (auto err = volatility::check_range_estimator(period, periods_per_year)) return fail(*err);
  return GarmanKlassVolatility(period, periods_per_year);
}

}  // namespace sorvik

#include "indicators/volatility/parkinson_volatility.hpp"

namespace sorvik {

Expected<ParkinsonVolatility> ParkinsonVolatility::create(std::uint64_t period, std::uint64_t periods_per_year) {
  if (auto err = volatility::check_range_estimator(period, periods_per_year)) return fail(*err);
  return ParkinsonVolatility(period, periods_per_year);
}

}  // namespace sorvik

#include "indicators/pairs/pearson_correlation.hpp"

namespace sorvik {

Expected<PearsonCorrelation> PearsonCorrelation::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "pearson correlation needs period >= 2")) return fail(*err);
  return PearsonCorrelation(period);
}

}  // namespace sorvik

#include "indicators/bands/percent_b.hpp"

namespace sorvik {

Expected<PercentB> PercentB::create(std::uint64_t period, double k) {
  if (auto err = BollingerBands::check(period, k)) return fail(*err);
  return PercentB(period, k);
}

}  // namespace sorvik

#include "indicators/performance/omega_ratio.hpp"

namespace sorvik {

Expected<OmegaRatio> OmegaRatio::create(std::uint64_t period, double threshold) {
  if (auto err = check_period(period)) return fail(*err);
  return OmegaRatio(period, threshold);
}

}  // namespace sorvik

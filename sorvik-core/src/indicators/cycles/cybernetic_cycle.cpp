#include "indicators/cycles/cybernetic_cycle.hpp"

namespace sorvik {

CyberneticCycle::CyberneticCycle(std::uint64_t period) noexcept {
  const double alpha = 2.0 / (static_cast<double>(period) + 1.0);
  const double half = 1.0 - alpha / 2.0;
  k_diff_ = half * half;
  k_c1_ = 2.0 * (1.0 - alpha);
  k_c2_ = (1.0 - alpha) * (1.0 - alpha);
}

Expected<CyberneticCycle> CyberneticCycle::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return CyberneticCycle(period);
}

}  // namespace sorvik

#include "indicators/cycles/instantaneous_trendline.hpp"

namespace sorvik {

InstantaneousTrendline::InstantaneousTrendline(std::uint64_t period) noexcept {
  const double alpha = 2.0 / (static_cast<double>(period) + 1.0);
  const double a2 = alpha * alpha;
  k_x_ = alpha - a2 / 4.0;
  k_x1_ = 0.5 * a2;
  k_x2_ = alpha - 0.75 * a2;
  k_it1_ = 2.0 * (1.0 - alpha);
  k_it2_ = (1.0 - alpha) * (1.0 - alpha);
}

Expected<InstantaneousTrendline> InstantaneousTrendline::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return InstantaneousTrendline(period);
}

}  // namespace sorvik

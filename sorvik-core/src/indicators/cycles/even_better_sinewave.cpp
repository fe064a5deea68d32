#include "indicators/cycles/even_better_sinewave.hpp"

namespace sorvik {

EvenBetterSinewave::EvenBetterSinewave(std::uint64_t hp_period, std::uint64_t ss_period) noexcept
    : ss_(static_cast<double>(ss_period)) {
  const double t = 6.283185307179586 / static_cast<double>(hp_period);
  alpha_ = (1.0 - std::sin(t)) / std::cos(t);
  k_diff_ = 0.5 * (1.0 + alpha_);
}

Expected<EvenBetterSinewave> EvenBetterSinewave::create(std::uint64_t hp_period, std::uint64_t ss_period) {
  if (hp_period == 0 || ss_period == 0) return fail(IndicatorError::zero_period());
  if (auto err = check_max_period(ss_period)) return fail(*err);
  return EvenBetterSinewave(hp_period, ss_period);
}

}  // namespace sorvik

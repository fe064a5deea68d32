#include "indicators/directional/polarized_fractal_efficiency.hpp"

namespace sorvik {

Expected<PolarizedFractalEfficiency> PolarizedFractalEfficiency::create(std::uint64_t period,
                                                                        std::uint64_t smoothing) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = check_period(smoothing)) return fail(*err);
  return PolarizedFractalEfficiency(period, smoothing);
}

}  // namespace sorvik

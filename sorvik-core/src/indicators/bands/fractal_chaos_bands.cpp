#include "indicators/bands/fractal_chaos_bands.hpp"

namespace sorvik {

Expected<FractalChaosBands> FractalChaosBands::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return FractalChaosBands(period);
}

}  // namespace sorvik

#include "indicators/composite/wave_pm.hpp"

namespace sorvik {

Expected<WavePm> WavePm::create(std::uint64_t period, std::uint64_t smoothing) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = check_period(smoothing)) return fail(*err);
  return WavePm(period, smoothing);
}

}  // namespace sorvik

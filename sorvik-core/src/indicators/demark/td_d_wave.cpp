#include "indicators/demark/td_d_wave.hpp"

namespace sorvik {

Expected<TdDWave> TdDWave::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return TdDWave(period);
}

}  // namespace sorvik

#include "indicators/momentum/smi.hpp"

namespace sorvik {

Expected<Smi> Smi::create(std::uint64_t period, std::uint64_t smoothing1, std::uint64_t smoothing2) {
  for (const std::uint64_t n : {period, smoothing1, smoothing2}) {
    if (auto err = check_period(n)) return fail(*err);
  }
  return Smi(period, smoothing1, smoothing2);
}

}  // namespace sorvik

#include "indicators/volume/mfi.hpp"

namespace sorvik {

Expected<Mfi> Mfi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Mfi(period);
}

}  // namespace sorvik

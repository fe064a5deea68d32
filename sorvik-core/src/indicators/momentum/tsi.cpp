#include "indicators/momentum/tsi.hpp"

namespace sorvik {

Expected<Tsi> Tsi::create(std::uint64_t long_period, std::uint64_t short_period) {
  if (auto err = check_period(long_period)) return fail(*err);
  if (auto err = check_period(short_period)) return fail(*err);
  return Tsi(long_period, short_period);
}

}  // namespace sorvik

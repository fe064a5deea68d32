#include "indicators/bands/donchian.hpp"

namespace sorvik {

Expected<Donchian> Donchian::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Donchian(period);
}

}  // namespace sorvik

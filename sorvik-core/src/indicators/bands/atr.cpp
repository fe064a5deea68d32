#include "indicators/bands/atr.hpp"

namespace sorvik {

Expected<Atr> Atr::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Atr(period);
}

}  // namespace sorvik

#include "indicators/cycles/decycler.hpp"

namespace sorvik {

Expected<Decycler> Decycler::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Decycler(period);
}

}  // namespace sorvik

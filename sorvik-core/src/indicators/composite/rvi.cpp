#include "indicators/composite/rvi.hpp"

namespace sorvik {

Expected<Rvi> Rvi::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Rvi(period);
}

}  // namespace sorvik

#include "indicators/composite/pgo.hpp"

namespace sorvik {

Expected<Pgo> Pgo::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Pgo(period);
}

}  // namespace sorvik

#include "indicators/composite/rsx.hpp"

namespace sorvik {

Expected<Rsx> Rsx::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Rsx(period);
}

}  // namespace sorvik

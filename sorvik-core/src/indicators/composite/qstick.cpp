#include "indicators/composite/qstick.hpp"

namespace sorvik {

Expected<Qstick> Qstick::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return Qstick(period);
}

}  // namespace sorvik

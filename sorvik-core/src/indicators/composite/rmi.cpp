#include "indicators/composite/rmi.hpp"

namespace sorvik {

Expected<Rmi> Rmi::create(std::uint64_t period, std::uint64_t lag) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = check_period(lag)) return fail(*err);
  return Rmi(period, lag);
}

}  // namespace sorvik

#include "indicators/demark/td_pressure.hpp"

namespace sorvik {

Expected<TdPressure> TdPressure::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return TdPressure(period);
}

}  // namespace sorvik

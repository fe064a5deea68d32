#include "indicators/composite/tii.hpp"

namespace sorvik {

Expected<Tii> Tii::create(std::uint64_t period, std::uint64_t deviation_period) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = check_period(deviation_period)) return fail(*err);
  return Tii(period, deviation_period);
}

}  // namespace sorvik

#include "indicators/volume/chaikin_money_flow.hpp"

namespace sorvik {

Expected<ChaikinMoneyFlow> ChaikinMoneyFlow::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return ChaikinMoneyFlow(period);
}

}  // namespace sorvik

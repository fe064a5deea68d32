#include "indicators/microstructure/order_flow_imbalance.hpp"

namespace sorvik {

Expected<OrderFlowImbalance> OrderFlowImbalance::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return OrderFlowImbalance(period);
}

}  // namespace sorvik

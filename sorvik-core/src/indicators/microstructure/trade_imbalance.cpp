#include "indicators/microstructure/trade_imbalance.hpp"

namespace sorvik {

Expected<TradeImbalance> TradeImbalance::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return TradeImbalance(period);
}

}  // namespace sorvik

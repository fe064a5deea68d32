#include "indicators/microstructure/order_book_imbalance_top_n.hpp"

namespace sorvik {

Expected<OrderBookImbalanceTopN> OrderBookImbalanceTopN::create(std::uint64_t levels) {
  if (levels == 0) return fail(IndicatorError::zero_period());
  return OrderBookImbalanceTopN(levels);
}

}  // namespace sorvik

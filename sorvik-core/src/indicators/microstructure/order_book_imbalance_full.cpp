#include "indicators/microstructure/order_book_imbalance_full.hpp"

namespace sorvik {

Expected<OrderBookImbalanceFull> OrderBookImbalanceFull::create() { return OrderBookImbalanceFull{}; }

}  // namespace sorvik

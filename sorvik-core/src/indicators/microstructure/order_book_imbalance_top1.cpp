#include "indicators/microstructure/order_book_imbalance_top1.hpp"

namespace sorvik {

Expected<OrderBookImbalanceTop1> OrderBookImbalanceTop1::create() { return OrderBookImbalanceTop1{}; }

}  // namespace sorvik

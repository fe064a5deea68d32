#pragma once

#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Best-level size imbalance (B - A)/(B + A) of the best bid size B and best ask size A; 0 when
/// either side is empty or B + A <= 0.
class OrderBookImbalanceTop1 {
 public:
  static constexpr bool stateless = true;

  static Expected<OrderBookImbalanceTop1> create();

  static std::optional<double> update(const OrderBook& book) noexcept {
    if (book.bids.empty() || book.asks.empty()) return 0.0;
    const double b = book.bids.front().size;
    const double a = book.asks.front().size;
    const double total = b + a;
    if (!(total > 0.0)) return 0.0;
    return (b - a) / total;
  }
};

}  // namespace sorvik

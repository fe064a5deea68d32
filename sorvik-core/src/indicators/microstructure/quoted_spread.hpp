#pragma once

#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Quoted spread in basis points of the mid: (ask - bid)/midpoint(bid, ask)·10000 of the best
/// quotes; 0 when either side is empty.
class QuotedSpread {
 public:
  static constexpr bool stateless = true;

  static Expected<QuotedSpread> create();

  static std::optional<double> update(const OrderBook& book) noexcept {
    if (book.bids.empty() || book.asks.empty()) return 0.0;
    const double bid = book.bids.front().price;
    const double ask = book.asks.front().price;
    return (ask - bid) / midpoint(bid, ask) * 10000.0;
  }
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <limits>
#include <optional>

#include "indicators/microstructure/book_measures.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Size imbalance (B - A)/(B + A) over every level of both sides; 0 when B + A <= 0.
class OrderBookImbalanceFull {
 public:
  static constexpr bool stateless = true;

  static Expected<OrderBookImbalanceFull> create();

  static std::optional<double> update(const OrderBook& book) noexcept {
    return size_imbalance(book, std::numeric_limits<std::uint64_t>::max());
  }
};

}  // namespace sorvik

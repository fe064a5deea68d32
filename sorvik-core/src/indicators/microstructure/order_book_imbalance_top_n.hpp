#pragma once

#include <cstdint>
#include <optional>

#include "indicators/microstructure/book_measures.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Size imbalance (B - A)/(B + A) over the first `levels` levels of each side (a side with fewer
/// levels contributes all it has); 0 when B + A <= 0.
class OrderBookImbalanceTopN {
 public:
  static constexpr bool stateless = true;

  /// Checks: levels (0). No storage depends on it, so it has no upper bound.
  static Expected<OrderBookImbalanceTopN> create(std::uint64_t levels);
  explicit OrderBookImbalanceTopN(std::uint64_t levels) noexcept : levels_(levels) {}

  std::optional<double> update(const OrderBook& book) const noexcept { return size_imbalance(book, levels_); }

 private:
  std::uint64_t levels_;
};

}  // namespace sorvik

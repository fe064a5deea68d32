#pragma once

#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Size-weighted mid of the best levels: (Qb·Pa + Qa·Pb)/(Qb + Qa); the plain midpoint when
/// Qb + Qa <= 0; 0 when either side is empty.
class Microprice {
 public:
  static constexpr bool stateless = true;

  static Expected<Microprice> create();

  static std::optional<double> update(const OrderBook& book) noexcept {
    if (book.bids.empty() || book.asks.empty()) return 0.0;
    const double pb = book.bids.front().price;
    const double qb = book.bids.front().size;
    const double pa = book.asks.front().price;
    const double qa = book.asks.front().size;
    const double total = qb + qa;
    if (!(total > 0.0)) return midpoint(pb, pa);
    return (qb * pa + qa * pb) / total;
  }
};

}  // namespace sorvik

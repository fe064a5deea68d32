#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/ratios.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (futures - index) / index; 0 when the index price is zero.
class TermStructureBasis {
 public:
  static constexpr bool stateless = true;
  static Expected<TermStructureBasis> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    return derivatives_detail::relative_spread(t.futures_price, t.index_price);
  }
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/ratios.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (futures - mark) / mark; 0 when the mark price is zero.
class CalendarSpread {
 public:
  static constexpr bool stateless = true;
  static Expected<CalendarSpread> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    return derivatives_detail::relative_spread(t.futures_price, t.mark_price);
  }
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/ratios.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The perpetual's premium over the index: (mark - index) / index; 0 when the index price is zero.
class PerpetualPremiumIndex {
 public:
  static constexpr bool stateless = true;
  static Expected<PerpetualPremiumIndex> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    return derivatives_detail::relative_spread(t.mark_price, t.index_price);
  }
};

}  // namespace sorvik

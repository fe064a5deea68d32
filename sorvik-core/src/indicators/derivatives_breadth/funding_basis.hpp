#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/ratios.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (mark - index) / index; 0 when the index price is zero.
class FundingBasis {
 public:
  static constexpr bool stateless = true;
  static Expected<FundingBasis> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    return derivatives_detail::relative_spread(t.mark_price, t.index_price);
  }
};

}  // namespace sorvik

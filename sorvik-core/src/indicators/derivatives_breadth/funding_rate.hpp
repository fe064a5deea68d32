#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The bar's funding rate.
class FundingRate {
 public:
  static constexpr bool stateless = true;
  static Expected<FundingRate> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    return t.funding_rate;
  }
};

}  // namespace sorvik

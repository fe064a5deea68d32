#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// long_positions / short_positions; 0 when there are no short positions.
class LongShortRatio {
 public:
  static constexpr bool stateless = true;
  static Expected<LongShortRatio> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    if (t.short_positions == 0.0) return 0.0;
    return t.long_positions / t.short_positions;
  }
};

}  // namespace sorvik

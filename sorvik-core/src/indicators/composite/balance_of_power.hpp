#pragma once

#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Balance of power: (close - open) / (high - low), or 0 when high = low.
class BalanceOfPower {
 public:
  static constexpr bool stateless = true;
  static Expected<BalanceOfPower> create() { return BalanceOfPower(); }

  static std::optional<double> update(const Candle& c) noexcept {
    if (c.high == c.low) return 0.0;
    return (c.close - c.open) / (c.high - c.low);
  }
};

}  // namespace sorvik

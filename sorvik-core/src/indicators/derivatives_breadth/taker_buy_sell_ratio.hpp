#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// taker_buy_volume / taker_sell_volume; 0 when the taker sell volume is zero.
class TakerBuySellRatio {
 public:
  static constexpr bool stateless = true;
  static Expected<TakerBuySellRatio> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    if (t.taker_sell_volume == 0.0) return 0.0;
    return t.taker_buy_volume / t.taker_sell_volume;
  }
};

}  // namespace sorvik

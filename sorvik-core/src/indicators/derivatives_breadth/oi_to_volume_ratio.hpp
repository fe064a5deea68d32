#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// open_interest / (taker_buy_volume + taker_sell_volume); 0 when that volume is not positive.
class OiToVolumeRatio {
 public:
  static constexpr bool stateless = true;
  static Expected<OiToVolumeRatio> create();
  static std::optional<double> update(const DerivativesTick& t) noexcept {
    const double volume = t.taker_buy_volume + t.taker_sell_volume;
    if (volume <= 0.0) return 0.0;
    return t.open_interest / volume;
  }
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Close / the reference series' value for the bar; 0 when the reference value is not positive.
class EstimatedLeverageRatio {
 public:
  static constexpr bool stateless = true;
  static Expected<EstimatedLeverageRatio> create();
  static std::optional<double> update(PairInput p) noexcept {
    if (p.y <= 0.0) return 0.0;
    return p.x / p.y;
  }
};

}  // namespace sorvik

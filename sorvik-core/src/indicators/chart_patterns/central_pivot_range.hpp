#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Central pivot range of the current bar: pivot = (H + L + C) / 3, the midpoint of H and L and its
/// reflection t = 2 pivot - midpoint about the pivot; tc is the higher and bc the lower of the two.
class CentralPivotRange {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 3> output_names{"pivot", "tc", "bc"};
  static Expected<CentralPivotRange> create() { return CentralPivotRange(); }

  static std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    const double pivot = (c.high + c.low + c.close) / 3.0;
    const double mid = midpoint(c.high, c.low);
    const double t = 2.0 * pivot - mid;
    return std::array<double, 3>{pivot, std::max(t, mid), std::min(t, mid)};
  }
};

}  // namespace sorvik

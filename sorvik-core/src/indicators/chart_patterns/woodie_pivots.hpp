#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Woodie pivots of the current bar, weighting the close twice: P = (H + L + 2C) / 4; r1 = 2P - L;
/// r2 = P + R; s1 = 2P - H; s2 = P - R, with R = H - L.
class WoodiePivots {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 5> output_names{"pp", "r1", "r2", "s1", "s2"};
  static Expected<WoodiePivots> create() { return WoodiePivots(); }

  static std::optional<std::array<double, 5>> update(const Candle& c) noexcept {
    const double h = c.high;
    const double l = c.low;
    const double range = h - l;
    const double p = (h + l + 2.0 * c.close) / 4.0;
    return std::array<double, 5>{p, 2.0 * p - l, p + range, 2.0 * p - h, p - range};
  }
};

}  // namespace sorvik

#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// DeMark pivots of the current bar: X = H + 2L + C on a falling bar (C < O), 2H + L + C on a rising
/// bar (C > O), H + L + 2C on a doji (C = O); pp = X/4; r1 = X/2 - L; s1 = X/2 - H.
class DemarkPivots {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 3> output_names{"pp", "r1", "s1"};
  static Expected<DemarkPivots> create() { return DemarkPivots(); }

  static std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    const double h = c.high;
    const double l = c.low;
    double x;
    if (c.close < c.open) {
      x = h + 2.0 * l + c.close;
    } else if (c.close > c.open) {
      x = 2.0 * h + l + c.close;
    } else {
      x = h + l + 2.0 * c.close;
    }
    return std::array<double, 3>{x / 4.0, x / 2.0 - l, x / 2.0 - h};
  }
};

}  // namespace sorvik

#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Floor-trader pivots of the current bar, with R = H - L: P = (H + L + C) / 3; r1 = 2P - L;
/// r2 = P + R; r3 = H + 2(P - L); s1 = 2P - H; s2 = P - R; s3 = L - 2(H - P).
class ClassicPivots {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 7> output_names{"pp", "r1", "r2", "r3", "s1", "s2", "s3"};
  static Expected<ClassicPivots> create() { return ClassicPivots(); }

  static std::optional<std::array<double, 7>> update(const Candle& c) noexcept {
    const double h = c.high;
    const double l = c.low;
    const double range = h - l;
    const double p = (h + l + c.close) / 3.0;
    return std::array<double, 7>{p,         2.0 * p - l, p + range, h + 2.0 * (p - l),
                                 2.0 * p - h, p - range,   l - 2.0 * (h - p)};
  }
};

}  // namespace sorvik

#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD range projection of the next bar: X = C + (2L + H) on a down bar (C < O), C + (2H + L) on an
/// up bar, 2C + (H + L) on a doji (each bracket formed first); m = X * 0.5, `high` = m - L,
/// `low` = m - H.
class TdRangeProjection {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 2> output_names{"high", "low"};

  static Expected<TdRangeProjection> create() { return TdRangeProjection(); }

  static std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    double x;
    if (c.close < c.open) {
      x = c.close + (2.0 * c.low + c.high);
    } else if (c.close > c.open) {
      x = c.close + (2.0 * c.high + c.low);
    } else {
      x = 2.0 * c.close + (c.high + c.low);
    }
    const double m = x * 0.5;
    return std::array<double, 2>{m - c.low, m - c.high};
  }
};

}  // namespace sorvik

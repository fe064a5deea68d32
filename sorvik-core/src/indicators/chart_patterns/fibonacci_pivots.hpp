#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci pivots of the current bar: P = (H + L + C) / 3 and, with R = H - L, the levels
/// P +- 0.382 R, P +- 0.618 R and P +- R.
class FibonacciPivots {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 7> output_names{"pp", "r1", "r2", "r3", "s1", "s2", "s3"};
  static Expected<FibonacciPivots> create() { return FibonacciPivots(); }

  static std::optional<std::array<double, 7>> update(const Candle& c) noexcept {
    const double range = c.high - c.low;
    const double p = (c.high + c.low + c.close) / 3.0;
    return std::array<double, 7>{p,         p + 0.382 * range, p + 0.618 * range, p + range,
                                 p - 0.382 * range, p - 0.618 * range, p - range};
  }
};

}  // namespace sorvik

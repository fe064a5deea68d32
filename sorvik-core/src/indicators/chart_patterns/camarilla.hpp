#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Camarilla levels of the current bar: pp = (H + L + C) / 3 and, with W = 1.1 (H - L), the
/// resistances C + W/12, C + W/6, C + W/4, C + W/2 and the supports C - W/12, ..., C - W/2.
class Camarilla {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 9> output_names{"pp", "r1", "r2", "r3", "r4",
                                                                "s1", "s2", "s3", "s4"};
  static Expected<Camarilla> create() { return Camarilla(); }

  static std::optional<std::array<double, 9>> update(const Candle& c) noexcept {
    const double pp = (c.high + c.low + c.close) / 3.0;
    const double w = 1.1 * (c.high - c.low);
    const double x = c.close;
    return std::array<double, 9>{pp,           x + w / 12.0, x + w / 6.0, x + w / 4.0, x + w / 2.0,
                                 x - w / 12.0, x - w / 6.0,  x - w / 4.0, x - w / 2.0};
  }
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci retracement of the last swing: with A the older and B the newer of the last two
/// pivots, level_x = B + x (A - B) for x = 0, 0.236, 0.382, 0.5, 0.618, 0.786 and 1.
class FibRetracement {
 public:
  static constexpr std::array<std::string_view, 7> output_names{
      "level_0", "level_236", "level_382", "level_500", "level_618", "level_786", "level_1000"};
  static Expected<FibRetracement> create() { return FibRetracement(); }

  std::optional<std::array<double, 7>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 2) return std::nullopt;
    const double a = swing_[0].price;
    const double b = swing_[1].price;
    using chart::retracement;
    return std::array<double, 7>{retracement(0.0, a, b),   retracement(0.236, a, b), retracement(0.382, a, b),
                                 retracement(0.5, a, b),   retracement(0.618, a, b), retracement(0.786, a, b),
                                 retracement(1.0, a, b)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<2> swing_;
};

}  // namespace sorvik

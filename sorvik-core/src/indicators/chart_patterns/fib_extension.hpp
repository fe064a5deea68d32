#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci extensions of the last swing: with A the older and B the newer of the last two pivots
/// and g = B - A, the levels x g + A for x = 1.272, 1.414, 1.618, 2 and 2.618.
class FibExtension {
 public:
  static constexpr std::array<std::string_view, 5> output_names{"level_1272", "level_1414", "level_1618",
                                                                "level_2000", "level_2618"};
  static Expected<FibExtension> create() { return FibExtension(); }

  std::optional<std::array<double, 5>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 2) return std::nullopt;
    const double a = swing_[0].price;
    const double g = swing_[1].price - a;
    using chart::scaled;
    return std::array<double, 5>{scaled(1.272, g, a), scaled(1.414, g, a), scaled(1.618, g, a), scaled(2.0, g, a),
                                 scaled(2.618, g, a)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<2> swing_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci projection: the first leg h = P1 - P0 of the last three pivots, projected from the
/// newest pivot P2 by x = 0.618, 1, 1.618 and 2.618 (x h + P2).
class FibProjection {
 public:
  static constexpr std::array<std::string_view, 4> output_names{"level_618", "level_1000", "level_1618",
                                                                "level_2618"};
  static Expected<FibProjection> create() { return FibProjection(); }

  std::optional<std::array<double, 4>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 3) return std::nullopt;
    const double h = swing_[1].price - swing_[0].price;
    const double p2 = swing_[2].price;
    using chart::scaled;
    return std::array<double, 4>{scaled(0.618, h, p2), p2 + h, scaled(1.618, h, p2), scaled(2.618, h, p2)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  chart::SwingDetector<3> swing_;
};

}  // namespace sorvik

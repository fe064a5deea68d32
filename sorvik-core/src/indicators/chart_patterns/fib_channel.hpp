#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci channel: the base line through the first and third of the last three pivots (P0, P2),
/// extended to the current bar, and parallels offset by x times the distance t of the middle pivot
/// P1 from the base line, for x = 0.618, 1 and 1.618.
class FibChannel {
 public:
  static constexpr std::array<std::string_view, 4> output_names{"base", "level_618", "level_1000",
                                                                "level_1618"};
  static Expected<FibChannel> create() { return FibChannel(); }

  std::optional<std::array<double, 4>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 3) return std::nullopt;
    const chart::Pivot& p0 = swing_[0];
    const chart::Pivot& p1 = swing_[1];
    const chart::Pivot& p2 = swing_[2];
    const double s = (p2.price - p0.price) / static_cast<double>(p2.bar - p0.bar);
    const double base = chart::line_at(p0.bar, p0.price, s, swing_.now());
    const double t = p1.price - chart::line_at(p0.bar, p0.price, s, p1.bar);
    using chart::scaled;
    return std::array<double, 4>{base, scaled(t, 0.618, base), t + base, scaled(1.618, t, base)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  chart::SwingDetector<3> swing_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rectangle: the two swing highs match and the two swing lows match among the last four
/// pivots; -1 when completed by a top, +1 by a bottom.
/// Silent until 4 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class RectangleRange {
 public:
  static Expected<RectangleRange> create() { return RectangleRange(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<4>& s) {
      const auto g = chart::highs_and_lows(s);
      return chart::matches(g.h1, g.h2) && chart::matches(g.l1, g.l2) ? chart::by_newest_pivot(s[3].kind) : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 5; }

 private:
  chart::SwingDetector<4> swing_;
};

}  // namespace sorvik

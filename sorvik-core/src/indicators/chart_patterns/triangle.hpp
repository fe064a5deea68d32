#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Triangle over the last four pivots' swing highs H1, H2 and lows L1, L2. Flat highs: +1
/// (ascending) when the lows rise by more than 3 %. Highs falling by more than 3 %: -1 (descending)
/// with flat lows, or, with lows rising by more than 3 % (symmetrical), the sign of the newest pivot.
/// Silent until 4 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class Triangle {
 public:
  static Expected<Triangle> create() { return Triangle(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<4>& s) {
      const auto g = chart::highs_and_lows(s);
      if (chart::matches(g.h1, g.h2)) {
        if (g.l2 > 1.03 * g.l1) return 1.0;
        if (g.h2 < 0.97 * g.h1 && chart::matches(g.l1, g.l2)) return -1.0;
        return 0.0;
      }
      if (!(g.h2 < 0.97 * g.h1)) return 0.0;
      if (chart::matches(g.l1, g.l2)) return -1.0;
      if (g.l2 > 1.03 * g.l1) return chart::by_newest_pivot(s[3].kind);
      return 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 5; }

 private:
  chart::SwingDetector<4> swing_;
};

}  // namespace sorvik

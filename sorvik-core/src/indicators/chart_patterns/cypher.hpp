#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Cypher over the last five pivots X, A, B, C, D: |B - A| / |A - X| in [0.382, 0.618],
/// |C - X| / |A - X| in [1.272, 1.414] and |D - C| / |C - X| in [0.74, 0.83]; +1 when D is a swing
/// low, -1 when a swing high.
/// Silent until 5 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class Cypher {
 public:
  static Expected<Cypher> create() { return Cypher(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<5>& s) {
      const double x = s[0].price;
      const double xa = std::fabs(s[1].price - x);
      const double xc = std::fabs(s[3].price - x);
      const bool holds = chart::within(std::fabs(s[2].price - s[1].price) / xa, 0.382, 0.618) &&
                         chart::within(xc / xa, 1.272, 1.414) &&
                         chart::within(std::fabs(s[4].price - s[3].price) / xc, 0.74, 0.83);
      return holds ? chart::by_newest_pivot(s[4].kind) : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 6; }

 private:
  chart::SwingDetector<5> swing_;
};

}  // namespace sorvik

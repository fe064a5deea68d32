#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// AB = CD pattern over the last four pivots A, B, C, D: the retracements |C - B| / |B - A| and
/// |D - C| / |C - B| within [0.382, 0.886] and the legs |B - A| and |D - C| equal within 10 %; +1 when D
/// is a swing low, -1 when a swing high.
/// Silent until 4 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class Abcd {
 public:
  static Expected<Abcd> create() { return Abcd(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<4>& s) {
      const double ab = std::fabs(s[1].price - s[0].price);
      const double bc = std::fabs(s[2].price - s[1].price);
      const double cd = std::fabs(s[3].price - s[2].price);
      const bool holds = chart::within(bc / ab, 0.382, 0.886) && chart::within(cd / bc, 0.382, 0.886) &&
                         chart::matches(ab, cd, 0.1);
      return holds ? chart::by_newest_pivot(s[3].kind) : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 5; }

 private:
  chart::SwingDetector<4> swing_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Double top or bottom: a new pivot at the level (within 3 %) of the pivot two
/// before it; -1 on a double top, +1 on a double bottom.
/// Silent until 3 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class DoubleTopBottom {
 public:
  static Expected<DoubleTopBottom> create() { return DoubleTopBottom(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<3>& s) {
      const double p1 = s[0].price;
      const double p3 = s[2].price;
      return chart::matches(p1, p3) ? chart::by_newest_pivot(s[2].kind) : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 4; }

 private:
  chart::SwingDetector<3> swing_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Triple top or bottom: the last five pivots' first, third and fifth at one level
/// (p1 matches p3 and p3 matches p5); -1 on a triple top, +1 on a triple bottom.
/// Silent until 5 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class TripleTopBottom {
 public:
  static Expected<TripleTopBottom> create() { return TripleTopBottom(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<5>& s) {
      const double p1 = s[0].price;
      const double p3 = s[2].price;
      const double p5 = s[4].price;
      return chart::matches(p1, p3) && chart::matches(p3, p5) ? chart::by_newest_pivot(s[4].kind) : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 6; }

 private:
  chart::SwingDetector<5> swing_;
};

}  // namespace sorvik

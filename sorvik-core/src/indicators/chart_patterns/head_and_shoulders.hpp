#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Head and shoulders over the last five pivots p1 ... p5: the shoulders p1 and p5 match,
/// the neckline pivots p2 and p4 match. With a head below the first shoulder (p1 > p3): +1 (inverse)
/// when p5 > p3 and p5 is a swing low. Otherwise: -1 when p5 is a swing high.
/// Silent until 5 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class HeadAndShoulders {
 public:
  static Expected<HeadAndShoulders> create() { return HeadAndShoulders(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<5>& s) {
      const double p1 = s[0].price;
      const double p2 = s[1].price;
      const double p3 = s[2].price;
      const double p4 = s[3].price;
      const double p5 = s[4].price;
      const int kind5 = s[4].kind;
      const bool both = chart::matches(p1, p5) && chart::matches(p2, p4);
      if (p1 > p3) return p5 > p3 && kind5 <= 0 && both ? 1.0 : 0.0;
      return kind5 > 0 && both ? -1.0 : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 6; }

 private:
  chart::SwingDetector<5> swing_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Three drives over the last seven pivots q0 ... q6 with legs a ... f: each drive extends
/// its correction (b/a, d/c, f/e in [1.13, 1.75]), the drives b, d, f equal within 20 % and the
/// corrections a, c, e within 30 %; +1 when q6 is a swing low, -1 when a swing high.
/// Silent until 7 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class ThreeDrives {
 public:
  static Expected<ThreeDrives> create() { return ThreeDrives(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<7>& s) {
      std::array<double, 6> leg{};
      for (std::size_t i = 0; i < 6; ++i) leg[i] = std::fabs(s[i + 1].price - s[i].price);
      const auto [a, b, c, d, e, f] = leg;
      const bool holds = chart::within(b / a, 1.13, 1.75) && chart::within(d / c, 1.13, 1.75) &&
                         chart::within(f / e, 1.13, 1.75) && chart::matches(b, d, 0.2) && chart::matches(d, f, 0.2) &&
                         chart::matches(a, c, 0.3) && chart::matches(c, e, 0.3);
      return holds ? chart::by_newest_pivot(s[6].kind) : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 8; }

 private:
  chart::SwingDetector<7> swing_;
};

}  // namespace sorvik

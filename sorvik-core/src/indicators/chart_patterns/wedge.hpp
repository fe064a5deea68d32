#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Wedge over the last four pivots, with dH and dL the changes of the swing highs and lows:
/// -1 (rising wedge) when both rise and the lows rise faster; +1 (falling wedge) when both fall and the
/// highs fall faster.
/// Silent until 4 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class Wedge {
 public:
  static Expected<Wedge> create() { return Wedge(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<4>& s) {
      const auto g = chart::highs_and_lows(s);
      const double dh = g.h2 - g.h1;
      const double dl = g.l2 - g.l1;
      if (dl > dh && dl > 0.0 && dh > 0.0) return -1.0;
      if (dl < 0.0 && dh < 0.0 && dh < dl) return 1.0;
      return 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 5; }

 private:
  chart::SwingDetector<4> swing_;
};

}  // namespace sorvik

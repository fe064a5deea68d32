#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Cup and handle over the last four pivots: the rims p1 and p3 match. Completed by a swing
/// low p4 (the handle) above the cup's bottom p2 and below the rim p3: +1. Mirrored, completed by a
/// swing high p4 below p2 and above p3: -1.
/// Silent until 4 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class CupAndHandle {
 public:
  static Expected<CupAndHandle> create() { return CupAndHandle(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<4>& s) {
      const double p2 = s[1].price;
      const double p3 = s[2].price;
      const double p4 = s[3].price;
      const bool rims = chart::matches(s[0].price, p3);
      if (s[3].kind == -1) return p4 > p2 && p3 > p4 && rims ? 1.0 : 0.0;
      return p2 > p4 && p4 > p3 && rims ? -1.0 : 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 5; }

 private:
  chart::SwingDetector<4> swing_;
};

}  // namespace sorvik

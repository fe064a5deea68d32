#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Flag or pennant: a pole p1 -> p2 followed by a retracement p2 -> p3 shorter than half
/// the pole; +1 when the pole rose into a swing high, -1 when it fell into a swing low.
/// Silent until 3 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class FlagPennant {
 public:
  static Expected<FlagPennant> create() { return FlagPennant(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<3>& s) {
      const double pole = s[1].price - s[0].price;
      if (pole != 0.0 && std::fabs(pole) * 0.5 > std::fabs(s[2].price - s[1].price)) {
        return s[1].kind > 0 ? 1.0 : -1.0;
      }
      return 0.0;
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 4; }

 private:
  chart::SwingDetector<3> swing_;
};

}  // namespace sorvik

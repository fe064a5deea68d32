#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Gartley: the XABCD harmonic with AB/XA in [0.55, 0.7], BC/AB in [0.382, 0.886], CD/BC in
/// [1.13, 1.618] and AD/XA in [0.74, 0.84].
/// Silent until 5 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class Gartley {
 public:
  static Expected<Gartley> create() { return Gartley(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<5>& s) {
      return chart::harmonic_signal(s, {0.55, 0.7}, {0.382, 0.886}, {1.13, 1.618}, {0.74, 0.84});
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 6; }

 private:
  chart::SwingDetector<5> swing_;
};

}  // namespace sorvik

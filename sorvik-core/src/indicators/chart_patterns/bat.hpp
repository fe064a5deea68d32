#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Bat: the XABCD harmonic with AB/XA in [0.382, 0.5], BC/AB in [0.382, 0.886], CD/BC in
/// [1.618, 2.618] and AD/XA in [0.84, 0.93].
/// Silent until 5 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class Bat {
 public:
  static Expected<Bat> create() { return Bat(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<5>& s) {
      return chart::harmonic_signal(s, {0.382, 0.5}, {0.382, 0.886}, {1.618, 2.618}, {0.84, 0.93});
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 6; }

 private:
  chart::SwingDetector<5> swing_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Shark: the XABCD harmonic with AB/XA in [1.13, 1.618], BC/AB in [1.618, 2.24], CD/BC in
/// [0.382, 0.886] and AD/XA in [0.886, 1.13].
/// Silent until 5 pivots are held; then 0 on every bar except one that confirms a pivot
/// completing the pattern.
class Shark {
 public:
  static Expected<Shark> create() { return Shark(); }

  std::optional<double> update(const Candle& c) noexcept {
    return chart::pattern_signal(swing_, c, [](const chart::SwingDetector<5>& s) {
      return chart::harmonic_signal(s, {1.13, 1.618}, {1.618, 2.24}, {0.382, 0.886}, {0.886, 1.13});
    });
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 6; }

 private:
  chart::SwingDetector<5> swing_;
};

}  // namespace sorvik

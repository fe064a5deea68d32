#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/bands/bollinger_bands.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Where the close sits in the Bollinger bands: (close - lower) / (upper - lower); 0.5 when the
/// bands coincide.
class PercentB {
 public:
  /// Checks: the period (0, then MAX_PERIOD), then k (finite and > 0).
  static Expected<PercentB> create(std::uint64_t period, double k);
  PercentB(std::uint64_t period, double k) noexcept : bands_(period, k) {}

  std::optional<double> update(double x) {
    const auto b = bands_.update(x);
    if (!b) return std::nullopt;
    const auto& [upper, middle, lower, stddev] = *b;
    if (upper == lower) return 0.5;
    return (x - lower) / (upper - lower);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bands_.warmup_period(); }

 private:
  BollingerBands bands_;
};

}  // namespace sorvik

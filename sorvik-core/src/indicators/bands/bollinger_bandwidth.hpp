#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/bands/bollinger_bands.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (upper - lower) / middle of the Bollinger bands; 0 when the middle is zero.
class BollingerBandwidth {
 public:
  /// Checks: the period (0, then MAX_PERIOD), then k (finite and > 0).
  static Expected<BollingerBandwidth> create(std::uint64_t period, double k);
  BollingerBandwidth(std::uint64_t period, double k) noexcept : bands_(period, k) {}

  std::optional<double> update(double x) {
    const auto b = bands_.update(x);
    if (!b) return std::nullopt;
    const auto& [upper, middle, lower, stddev] = *b;
    if (middle == 0.0) return 0.0;
    return (upper - lower) / middle;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bands_.warmup_period(); }

 private:
  BollingerBands bands_;
};

}  // namespace sorvik

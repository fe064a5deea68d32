#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "indicators/volume/adl.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Chaikin oscillator: the accumulation/distribution line, advanced on every bar, followed by a
/// fast and a slow exponential average (a non-finite line value is not fed); value = fast - slow
/// from the bar on which the slow average is seeded.
class ChaikinOscillator {
 public:
  /// Checks: both lengths non-zero, fast < slow, then the bound on the slow length.
  static Expected<ChaikinOscillator> create(std::uint64_t fast, std::uint64_t slow);
  ChaikinOscillator(std::uint64_t fast, std::uint64_t slow) noexcept : fast_(fast), slow_(slow) {}

  std::optional<double> update(const Candle& c) noexcept {
    const double line = *adl_.update(c);
    const auto f = fast_.update(line);  // the averages skip a non-finite line value
    const auto s = slow_.update(line);
    if (!f || !s) return std::nullopt;
    return *f - *s;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return slow_.warmup_period(); }

 private:
  Adl adl_;
  Ema fast_;
  Ema slow_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "indicators/volume/wad.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The Williams accumulation/distribution total minus its 13-bar simple average; yields once the
/// average is ready (the 14th bar).
class AdOscillator {
 public:
  static constexpr std::uint64_t AVERAGE_PERIOD = 13;

  static Expected<AdOscillator> create() { return AdOscillator(); }

  std::optional<double> update(const Candle& c) {
    const auto total = wad_.update(c);
    if (!total) return std::nullopt;
    const auto average = average_.update(*total);
    if (!average) return std::nullopt;
    return *total - *average;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(wad_.warmup_period(), average_.warmup_period()), 1);
  }

 private:
  Wad wad_;
  Sma average_{AVERAGE_PERIOD};
};

}  // namespace sorvik

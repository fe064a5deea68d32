#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume-weighted support and resistance over the last n bars: rolling sums of low * volume,
/// high * volume, volume, low and high (re-added from scratch every n pushes). When the volume sum
/// is positive, support = sum(low * volume) / sum(volume) and resistance = sum(high * volume) /
/// sum(volume); otherwise the plain means of the lows and highs.
class VolumeWeightedSr {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"support", "resistance"};

  static Expected<VolumeWeightedSr> create(std::uint64_t period);
  explicit VolumeWeightedSr(std::uint64_t period) noexcept
      : low_volume_(period, period),
        high_volume_(period, period),
        volume_(period, period),
        low_(period, period),
        high_(period, period) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    low_volume_.push(c.low * c.volume);
    high_volume_.push(c.high * c.volume);
    volume_.push(c.volume);
    low_.push(c.low);
    high_.push(c.high);
    if (!volume_.full()) return std::nullopt;
    const double v = volume_.sum();
    if (v > 0.0) return std::array<double, 2>{low_volume_.sum() / v, high_volume_.sum() / v};
    return std::array<double, 2>{low_.mean(), high_.mean()};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return volume_.period(); }

 private:
  RunningSum low_volume_;
  RunningSum high_volume_;
  RunningSum volume_;
  RunningSum low_;
  RunningSum high_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Better volume: classifies the current bar against the n - 1 bars before it. Over those earlier
/// bars: top density = the largest volume / range among bars with a positive range, least volume =
/// the smallest volume, top effort = the largest range * volume (non-finite entries ignored; the
/// scans start from -inf / +inf). churn = the bar has a positive range and its volume / range
/// exceeds top density; climax = its range * volume exceeds top effort. Value: 4 climax and churn;
/// 3 / -3 climax only on an up / down bar (close >= open / close < open); 2 churn only; 1 neither
/// with volume below least volume; 0 otherwise. O(n) per update (a scan of the window).
class BetterVolume {
 public:
  static Expected<BetterVolume> create(std::uint64_t period);
  explicit BetterVolume(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct Bar {
    double volume;
    double effort;   // range * volume
    double density;  // volume / range (meaningful only with a positive range)
    bool ranged;     // range > 0
  };
  Window<Bar> window_;
};

}  // namespace sorvik

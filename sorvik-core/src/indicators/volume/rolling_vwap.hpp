#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume-weighted average price of the last n bars: rolling sums of tp * volume and of volume
/// (re-added from scratch every n pushes); yields their ratio once n bars are held, nothing while
/// the volume sum is zero.
class RollingVwap {
 public:
  static Expected<RollingVwap> create(std::uint64_t period);
  explicit RollingVwap(std::uint64_t period) noexcept : pv_(period, period), v_(period, period) {}

  std::optional<double> update(const Candle& c) {
    pv_.push(volume_detail::typical_price(c) * c.volume);
    v_.push(c.volume);
    if (!v_.full() || v_.sum() == 0.0) return std::nullopt;
    return pv_.sum() / v_.sum();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return v_.period(); }

 private:
  RunningSum pv_;
  RunningSum v_;
};

}  // namespace sorvik

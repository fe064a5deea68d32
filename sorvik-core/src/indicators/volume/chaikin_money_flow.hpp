#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Chaikin money flow: sum(mfm * volume) / sum(volume) over the last n bars, both sums kept purely
/// incrementally (no re-add from scratch); 0 when the volume sum is zero.
class ChaikinMoneyFlow {
 public:
  static Expected<ChaikinMoneyFlow> create(std::uint64_t period);
  explicit ChaikinMoneyFlow(std::uint64_t period) noexcept
      : flow_(volume_detail::incremental_sum(period)), volume_(volume_detail::incremental_sum(period)) {}

  std::optional<double> update(const Candle& c) {
    flow_.push(volume_detail::money_flow_multiplier(c) * c.volume);
    volume_.push(c.volume);
    if (!volume_.full()) return std::nullopt;
    if (volume_.sum() == 0.0) return 0.0;
    return flow_.sum() / volume_.sum();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return volume_.period(); }

 private:
  RunningSum flow_;
  RunningSum volume_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Mass index: e1 = Ema(e) of high - low, e2 = Ema(e) of e1; the ratio e1 / e2 (1 when e2 is 0)
/// is summed over the last s ratios (a running sum).
class MassIndex {
 public:
  /// Checks: the ema period (0, then MAX_PERIOD), then the sum period (0 only: its storage grows
  /// only as ratios arrive).
  static Expected<MassIndex> create(std::uint64_t ema_period, std::uint64_t sum_period);
  MassIndex(std::uint64_t ema_period, std::uint64_t sum_period) noexcept
      : single_(ema_period), double_(ema_period), sum_(sum_period), sum_period_(sum_period) {}

  std::optional<double> update(const Candle& c) {
    const auto e1 = single_.update(c.high - c.low);
    if (!e1) return std::nullopt;
    const auto e2 = double_.update(*e1);
    if (!e2) return std::nullopt;
    sum_.push(*e2 == 0.0 ? 1.0 : *e1 / *e2);
    if (!sum_.full()) return std::nullopt;
    return sum_.sum();
  }
  /// 2e + s - 2.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    const std::uint64_t e = single_.warmup_period();
    return sat_sub(sat_add(sat_add(e, e), sum_period_), 2);
  }

 private:
  Ema single_;
  Ema double_;
  RunningSum sum_;
  std::uint64_t sum_period_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/heikin_ashi.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Exponential(n) average of the Heikin-Ashi body ha_close - ha_open; a non-finite body is skipped.
class HeikinAshiOscillator {
 public:
  static Expected<HeikinAshiOscillator> create(std::uint64_t period);
  explicit HeikinAshiOscillator(std::uint64_t period) noexcept : stage_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    const auto ha = core_.next(c.open, c.high, c.low, c.close);
    const double body = ha[3] - ha[0];
    if (!std::isfinite(body)) return std::nullopt;
    return stage_.update(body);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return stage_.period(); }

 private:
  HeikinAshiCore core_;
  ExpStage stage_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Q-stick: `Sma`(n) of close - open.
class Qstick {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Qstick> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit Qstick(std::uint64_t period) : sma_(period) {}

  std::optional<double> update(const Candle& c) { return sma_.update(c.close - c.open); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  Sma sma_;
};

}  // namespace sorvik

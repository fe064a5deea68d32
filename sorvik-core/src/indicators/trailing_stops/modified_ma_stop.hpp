#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/smma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Modified moving-average stop on the Wilder average (divide form) of the close. The first value
/// starts long when the average is not above the close (else short) with the stop at the average.
/// A long stop only rises towards the average and a close below it flips short with the stop reset
/// to the average; a short stop mirrors it. Outputs "value" (the stop) and "direction".
class ModifiedMaStop {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"value", "direction"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<ModifiedMaStop> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit ModifiedMaStop(std::uint64_t period) noexcept : average_(period) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    const auto avg = average_.update(c.close);
    if (!avg) return std::nullopt;
    const double close = c.close;
    if (!started_) {
      started_ = true;
      direction_ = *avg <= close ? 1.0 : -1.0;
      stop_ = *avg;
    } else if (direction_ > 0.0) {
      stop_ = std::max(stop_, *avg);
      if (close < stop_) {
        direction_ = -1.0;
        stop_ = *avg;
      }
    } else {
      stop_ = std::min(stop_, *avg);
      if (close > stop_) {
        direction_ = 1.0;
        stop_ = *avg;
      }
    }
    return std::array<double, 2>{stop_, direction_};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return average_.warmup_period(); }

 private:
  Smma average_;
  double stop_ = 0.0;
  double direction_ = 1.0;
  bool started_ = false;
};

}  // namespace sorvik

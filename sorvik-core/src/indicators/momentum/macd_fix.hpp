#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/ema.hpp"
#include "indicators/momentum/macd_stages.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// MACD with the fixed 12/26 stages: their smoothing constants are 0.15 and 0.075 (not 2/(n + 1)),
/// each seeded with the mean of its first 12 or 26 closes. The signal is an `Ema`(signal) of the
/// macd line. Outputs "macd", "signal", "histogram".
class MacdFix {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"macd", "signal", "histogram"};
  static constexpr std::uint64_t FAST = 12;
  static constexpr std::uint64_t SLOW = 26;
  static constexpr double FAST_ALPHA = 0.15;
  static constexpr double SLOW_ALPHA = 0.075;

  /// Checks: the signal period (0, then MAX_PERIOD).
  static Expected<MacdFix> create(std::uint64_t signal);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  explicit MacdFix(std::uint64_t signal) noexcept
      : stages_(ExpStage(FAST, FAST_ALPHA), ExpStage(SLOW, SLOW_ALPHA), Ema(signal)) {}

  std::optional<std::array<double, 3>> update(double x) noexcept {
    return stages_.update(x);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(SLOW, stages_.signal().warmup_period()), 1);
  }

 private:
  MacdStages<ExpStage, ExpStage, Ema> stages_;
};

}  // namespace sorvik

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

/// Moving average convergence/divergence: `Ema`(fast) and `Ema`(slow) of the close; once both are
/// ready, macd = fast - slow feeds `Ema`(signal); once that is ready the outputs are "macd",
/// "signal" and "histogram" = macd - signal.
class MacdIndicator {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"macd", "signal", "histogram"};

  /// Checks: fast < slow, then fast, slow and signal (each 0, then MAX_PERIOD).
  static Expected<MacdIndicator> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  MacdIndicator(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) noexcept
      : stages_(Ema(fast), Ema(slow), Ema(signal)) {}

  std::optional<std::array<double, 3>> update(double x) noexcept {
    return stages_.update(x);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(stages_.slow().warmup_period(), stages_.signal().warmup_period()), 1);
  }

 private:
  MacdStages<Ema, Ema, Ema> stages_;
};

}  // namespace sorvik

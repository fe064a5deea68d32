#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/zlema.hpp"
#include "indicators/momentum/macd_stages.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// MACD built from zero-lag averages: `Zlema`(fast) and `Zlema`(slow) of the close; once both
/// yield, macd = fast - slow feeds `Zlema`(signal); when it yields the outputs are "macd",
/// "signal" and "histogram" = macd - signal.
class ZeroLagMacd {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"macd", "signal", "histogram"};

  /// Checks: fast < slow, then fast, slow and signal (each 0, then MAX_PERIOD).
  static Expected<ZeroLagMacd> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  ZeroLagMacd(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) noexcept
      : stages_(Zlema(fast), Zlema(slow), Zlema(signal)) {}

  std::optional<std::array<double, 3>> update(double x) {
    return stages_.update(x);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(stages_.slow().warmup_period(), stages_.signal().warmup_period()), 1);
  }

 private:
  MacdStages<Zlema, Zlema, Zlema> stages_;
};

}  // namespace sorvik

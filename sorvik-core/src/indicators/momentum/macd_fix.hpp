#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/ema.hpp"
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
      : fast_(FAST, FAST_ALPHA), slow_(SLOW, SLOW_ALPHA), signal_(signal) {}

  std::optional<std::array<double, 3>> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto f = fast_.update(x);
    const auto s = slow_.update(x);
    if (!f || !s) return std::nullopt;
    const double macd = *f - *s;
    const auto sig = signal_.update(macd);
    if (!sig) return std::nullopt;
    return std::array<double, 3>{macd, *sig, macd - *sig};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(SLOW, signal_.warmup_period()), 1);
  }

 private:
  ExpStage fast_;
  ExpStage slow_;
  Ema signal_;
};

}  // namespace sorvik

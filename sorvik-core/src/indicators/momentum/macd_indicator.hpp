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
      : fast_(fast), slow_(slow), signal_(signal) {}

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
    return sat_sub(sat_add(slow_.warmup_period(), signal_.warmup_period()), 1);
  }

 private:
  Ema fast_;
  Ema slow_;
  Ema signal_;
};

}  // namespace sorvik

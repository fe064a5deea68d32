#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/ema.hpp"
#include "indicators/moving_averages/vwma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// MACD of volume-weighted averages: macd = Vwma(fast) - Vwma(slow), once both are ready and
/// finite; signal = exponential average of macd (period `signal`); histogram = macd - signal.
/// Nothing is yielded before the signal is seeded.
class VolumeWeightedMacd {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"macd", "signal", "histogram"};

  /// Checks: all three lengths non-zero, fast < slow, then each within MAX_PERIOD.
  static Expected<VolumeWeightedMacd> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal);
  VolumeWeightedMacd(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) noexcept
      : fast_(fast), slow_(slow), signal_(signal) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    const auto a = fast_.update(c);
    const auto b = slow_.update(c);
    if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) return std::nullopt;
    const double macd = *a - *b;
    const auto s = signal_.update(macd);
    if (!s) return std::nullopt;
    return std::array<double, 3>{macd, *s, macd - *s};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(slow_.warmup_period(), signal_.warmup_period()), 1);
  }

 private:
  Vwma fast_;
  Vwma slow_;
  Ema signal_;
};

}  // namespace sorvik

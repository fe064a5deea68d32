#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Awesome oscillator: the candle's midpoint(high, low) feeds `Sma`(fast) and `Sma`(slow);
/// value = fast - slow once both are ready.
class AwesomeOscillator {
 public:
  /// Checks: fast < slow, then fast and slow (each 0, then MAX_PERIOD).
  static Expected<AwesomeOscillator> create(std::uint64_t fast, std::uint64_t slow);
  /// The periods' bounds (without the order, whose message differs between the embedding types).
  static std::optional<IndicatorError> check_periods(std::uint64_t fast, std::uint64_t slow) noexcept {
    if (auto err = check_period(fast)) return err;
    return check_period(slow);
  }
  /// Precondition: `create`'s checks passed.
  AwesomeOscillator(std::uint64_t fast, std::uint64_t slow) : fast_(fast), slow_(slow) {}

  std::optional<double> update(const Candle& c) {
    const double mid = midpoint(c.high, c.low);
    const auto f = fast_.update(mid);
    const auto s = slow_.update(mid);
    if (!f || !s) return std::nullopt;
    return *f - *s;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return std::max(fast_.warmup_period(), slow_.warmup_period());
  }

 private:
  Sma fast_;
  Sma slow_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/bands/true_range.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Pretty good oscillator: (close - `Sma`(n)) / average true range, where the true range (high - low
/// on the first bar) feeds an exponential stage of period n seeded with the mean of the first n
/// ranges. When that average is not positive the previous value is yielded again (nothing before
/// the first value).
class Pgo {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Pgo> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit Pgo(std::uint64_t period) : sma_(period), atr_(period) {}

  std::optional<double> update(const Candle& c) {
    const auto mean = sma_.update(c.close);
    const auto atr = atr_.update(tr_.next(c));
    if (!mean || !atr) return std::nullopt;
    if (*atr > 0.0) last_ = (c.close - *mean) / *atr;
    return last_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  Sma sma_;
  TrueRangeCore tr_;
  ExpStage atr_;
  std::optional<double> last_;
};

}  // namespace sorvik

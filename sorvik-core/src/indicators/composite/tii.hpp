#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Trend intensity index: the deviations of the close from `Sma`(n) over the last m bars;
/// value = positive sum * 100 / (positive sum + negative sum) (magnitudes, summed oldest first),
/// limited to [0, 100], or 50 when that total is not positive.
class Tii {
 public:
  /// Checks: the period, then the deviation period (each 0, then MAX_PERIOD).
  static Expected<Tii> create(std::uint64_t period, std::uint64_t deviation_period);
  /// Precondition: `create`'s checks passed.
  Tii(std::uint64_t period, std::uint64_t deviation_period)
      : sma_(period), deviations_(static_cast<std::size_t>(deviation_period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto mean = sma_.update(x);
    if (!mean) return std::nullopt;
    deviations_.push_discard(x - *mean);
    if (!deviations_.full()) return std::nullopt;
    double pos = 0.0;
    double neg = 0.0;
    deviations_.for_each([&](double d) {
      // Adding +0 leaves a sum unchanged, so the branch-free form adds the same values in order.
      pos = pos + (d > 0.0 ? d : 0.0);
      neg = neg + (d < 0.0 ? -d : 0.0);
    });
    const double total = pos + neg;
    if (!(total > 0.0)) return 50.0;
    const double value = pos * 100.0 / total;
    if (value < 0.0) return 0.0;
    if (value > 100.0) return 100.0;
    return value;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(sma_.warmup_period(), deviations_.capacity()), 1);
  }

 private:
  Sma sma_;
  Window<double> deviations_;
};

}  // namespace sorvik

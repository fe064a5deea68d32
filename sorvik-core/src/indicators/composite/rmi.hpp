#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Relative momentum index: the RSI rule on the change over m bars (x - the close m bars ago)
/// instead of the one-bar change. Gains and losses are averaged by the Wilder step, reciprocal form
/// (k = n - 1, m = 1 / n), seeded with the mean of the first n of them;
/// value = gain * 100 / (gain + loss), or 50 when that sum is zero.
class Rmi {
 public:
  /// Checks: the period, then the momentum lag (each 0, then MAX_PERIOD).
  static Expected<Rmi> create(std::uint64_t period, std::uint64_t lag);
  /// Precondition: `create`'s checks passed.
  Rmi(std::uint64_t period, std::uint64_t lag)
      : closes_(static_cast<std::size_t>(lag) + 1), gains_(period), losses_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    closes_.push_discard(x);
    if (!closes_.full()) return std::nullopt;
    const double d = x - closes_.oldest();
    const auto g = gains_.update(d > 0.0 ? d : 0.0);
    const auto l = losses_.update(d < 0.0 ? -d : 0.0);
    if (!g) return std::nullopt;
    const double total = *g + *l;
    if (total == 0.0) return 50.0;
    return (*g * 100.0) / total;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(gains_.period(), closes_.capacity() - 1);
  }

 private:
  Window<double> closes_;
  WilderReciprocalStage gains_;
  WilderReciprocalStage losses_;
};

}  // namespace sorvik

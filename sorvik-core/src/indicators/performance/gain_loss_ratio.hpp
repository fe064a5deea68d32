#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Gain/loss ratio of the last n returns: the mean positive return over the mean magnitude of the
/// negative ones (a window without gains has a mean gain of 0); with no losses +infinity when there
/// are gains, 1 when there are none.
class GainLossRatio {
 public:
  static Expected<GainLossRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit GainLossRatio(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    const auto t = performance::tally(window_);
    const double mean_gain = t.wins != 0 ? t.gains / static_cast<double>(t.wins) : 0.0;
    const double mean_loss = t.loss_count != 0 ? t.losses / static_cast<double>(t.loss_count) : 0.0;
    return performance::gains_over_losses(mean_gain, mean_loss);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

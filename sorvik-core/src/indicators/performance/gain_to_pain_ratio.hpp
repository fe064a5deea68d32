#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Gain-to-pain ratio of the last n returns: the sum of all returns over the sum of the loss
/// magnitudes, 0 when there are no losses.
class GainToPainRatio {
 public:
  static Expected<GainToPainRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit GainToPainRatio(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    const auto t = performance::tally(window_);
    if (t.loss_count == 0) return 0.0;
    return t.total / t.losses;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

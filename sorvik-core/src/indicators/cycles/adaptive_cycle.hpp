#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/hilbert_core.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Adaptive cycle length: half the smoothed dominant-cycle period, rounded half away from zero and
/// clamped to [3, 25].
class AdaptiveCycle {
 public:
  static Expected<AdaptiveCycle> create() { return AdaptiveCycle(); }

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!core_.update(x) || core_.count() < cycles::HilbertCore::WARMUP) return std::nullopt;
    return std::clamp(std::round(0.5 * core_.smoothed_period()), 3.0, 25.0);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return cycles::HilbertCore::WARMUP; }

 private:
  cycles::HilbertCore core_;
};

}  // namespace sorvik

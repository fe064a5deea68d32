#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/hilbert_core.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Hilbert-transform sine wave: the sine of the dominant-cycle phase.
class SineWave {
 public:
  static Expected<SineWave> create() { return SineWave(); }

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!core_.update(x) || core_.count() < cycles::HilbertCore::WARMUP) return std::nullopt;
    return std::sin(cycles::dc_phase(core_).phase * cycles::DEG_TO_RAD);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return cycles::HilbertCore::WARMUP; }

 private:
  cycles::HilbertCore core_;
};

}  // namespace sorvik

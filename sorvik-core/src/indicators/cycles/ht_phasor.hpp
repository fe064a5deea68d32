#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/cycles/hilbert_core.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Hilbert-transform phasor components: the in-phase (I1) and quadrature (Q1) values, once 7 of each
/// exist (the 22nd input).
class HtPhasor {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"inphase", "quadrature"};
  static Expected<HtPhasor> create() { return HtPhasor(); }

  std::optional<std::array<double, 2>> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!core_.update(x) || !core_.phasor_ready()) return std::nullopt;
    return std::array<double, 2>{core_.i1(), core_.q1()};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return cycles::HilbertCore::PHASOR_WARMUP; }

 private:
  cycles::HilbertCore core_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Roofing filter: the one-pole high-pass of period hp_period feeding the super smoother of period
/// lp_period.
class RoofingFilter {
 public:
  /// Checks: lp_period zero, hp_period zero, lp_period < hp_period, lp_period MAX_PERIOD.
  static Expected<RoofingFilter> create(std::uint64_t lp_period, std::uint64_t hp_period);
  RoofingFilter(std::uint64_t lp_period, std::uint64_t hp_period) noexcept : roof_(lp_period, hp_period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return roof_.update(x);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  cycles::RoofingStage roof_;
};

}  // namespace sorvik

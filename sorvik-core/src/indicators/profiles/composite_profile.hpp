#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The value area of the rolling volume profile with every level at a bin centre: poc, vah and val
/// are (k + 0.5) w + G, (hi + 0.5) w + G and (lo + 0.5) w + G; all three are G for a window without
/// price span.
class CompositeProfile {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"poc", "vah", "val"};
  /// Checks: period or bins zero; "value_area_pct must be in (0, 1]"; then period and bins against
  /// MAX_PERIOD.
  static Expected<CompositeProfile> create(std::uint64_t period, std::uint64_t bins, double value_area_pct);
  CompositeProfile(std::uint64_t period, std::uint64_t bins, double value_area_pct) noexcept
      : window_(period, bins), fraction_(value_area_pct) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    if (!window_.push(c)) return std::nullopt;
    const profiles::VolumeBins p = window_.volume_profile();
    if (p.flat()) return std::array<double, 3>{p.low, p.low, p.low};
    const profiles::ValueAreaBins area = profiles::value_area(p, fraction_);
    return std::array<double, 3>{p.centre(area.poc), p.centre(area.hi), p.centre(area.lo)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.period(); }

 private:
  profiles::ProfileWindow window_;
  double fraction_;
};

}  // namespace sorvik

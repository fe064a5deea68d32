#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Value area of the rolling volume profile: grown from the point of control k until it holds the
/// fraction r of the window's volume (ties go up). poc = (k + 0.5) w + G, vah = (hi + 1) w + G (upper
/// edge of the top bin), val = lo w + G (lower edge of the bottom bin); all three are G for a window
/// without price span.
class ValueArea {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"poc", "vah", "val"};
  /// Checks: period or bins zero; "value_area_pct must be in (0, 1]"; then period and bins against
  /// MAX_PERIOD.
  static Expected<ValueArea> create(std::uint64_t period, std::uint64_t bins, double value_area_pct);
  ValueArea(std::uint64_t period, std::uint64_t bins, double value_area_pct) noexcept
      : window_(period, bins), fraction_(value_area_pct) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    if (!window_.push(c)) return std::nullopt;
    const profiles::VolumeBins p = window_.volume_profile();
    if (p.flat()) return std::array<double, 3>{p.low, p.low, p.low};
    const profiles::ValueAreaBins area = profiles::value_area(p, fraction_);
    return std::array<double, 3>{p.centre(area.poc), p.price_at(static_cast<double>(area.hi) + 1.0),
                                 p.price_at(static_cast<double>(area.lo))};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.period(); }

 private:
  profiles::ProfileWindow window_;
  double fraction_;
};

}  // namespace sorvik

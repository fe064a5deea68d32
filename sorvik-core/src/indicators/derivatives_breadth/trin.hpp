#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Arms index: (A / max(D, 1)) / (UV / max(DV, 1)); 0 when the volume ratio is zero (no
/// up volume, which includes an empty cross-section).
class Trin {
 public:
  static constexpr bool stateless = true;
  static Expected<Trin> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    const std::uint64_t d = c.declines > 1 ? c.declines : 1;
    const double breadth = static_cast<double>(c.advances) / static_cast<double>(d);
    const double volume = c.up_volume / std::max(c.down_volume, 1.0);
    if (volume == 0.0) return 0.0;
    return breadth / volume;
  }
};

}  // namespace sorvik

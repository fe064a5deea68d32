#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Up volume / max(down volume, 1).
class UpDownVolumeRatio {
 public:
  static constexpr bool stateless = true;
  static Expected<UpDownVolumeRatio> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    return c.up_volume / std::max(c.down_volume, 1.0);
  }
};

}  // namespace sorvik

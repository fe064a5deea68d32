#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// |advances - declines|; 0 for an empty cross-section.
class AbsoluteBreadthIndex {
 public:
  static constexpr bool stateless = true;
  static Expected<AbsoluteBreadthIndex> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    return std::fabs(breadth_detail::count_breadth(cs).net_advances());
  }
};

}  // namespace sorvik

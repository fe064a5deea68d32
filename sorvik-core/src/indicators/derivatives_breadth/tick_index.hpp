#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Advances - declines; 0 for an empty cross-section.
class TickIndex {
 public:
  static constexpr bool stateless = true;
  static Expected<TickIndex> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    return breadth_detail::count_breadth(cs).net_advances();
  }
};

}  // namespace sorvik

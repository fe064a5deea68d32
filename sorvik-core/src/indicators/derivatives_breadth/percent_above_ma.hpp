#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// 100 * (entries above their moving average) / N; 0 for an empty cross-section.
class PercentAboveMa {
 public:
  static constexpr bool stateless = true;
  static Expected<PercentAboveMa> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    return breadth_detail::percent_of_entries(c.above_ma, c.total);
  }
};

}  // namespace sorvik

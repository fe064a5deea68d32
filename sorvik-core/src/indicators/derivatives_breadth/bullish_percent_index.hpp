#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// 100 * (entries on a bullish signal) / N; 0 for an empty cross-section.
class BullishPercentIndex {
 public:
  static constexpr bool stateless = true;
  static Expected<BullishPercentIndex> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    return breadth_detail::percent_of_entries(c.bullish, c.total);
  }
};

}  // namespace sorvik

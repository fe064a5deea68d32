#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Advances / max(declines, 1); 0 for an empty cross-section.
class AdvanceDeclineRatio {
 public:
  static constexpr bool stateless = true;
  static Expected<AdvanceDeclineRatio> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    const std::uint64_t d = c.declines > 1 ? c.declines : 1;
    return static_cast<double>(c.advances) / static_cast<double>(d);
  }
};

}  // namespace sorvik

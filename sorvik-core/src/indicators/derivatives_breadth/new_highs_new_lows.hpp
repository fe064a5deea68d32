#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// New highs - new lows.
class NewHighsNewLows {
 public:
  static constexpr bool stateless = true;
  static Expected<NewHighsNewLows> create();
  static std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    return static_cast<double>(c.new_highs) - static_cast<double>(c.new_lows);
  }
};

}  // namespace sorvik

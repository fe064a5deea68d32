#pragma once

#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Mean slope of cumulative depth against distance from the mid: for each side the least-squares
/// slope of y_i = cumulative size of levels 0..i on x_i = distance of level i from the mid
/// (0 when its denominator is 0), then the midpoint of the bid and ask slopes. 0 when either side
/// has fewer than 2 levels.
class DepthSlope {
 public:
  static constexpr bool stateless = true;

  static Expected<DepthSlope> create();

  static std::optional<double> update(const OrderBook& book) noexcept;
};

}  // namespace sorvik

#pragma once

#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// midpoint(high, low) of the candle.
class MedianPrice {
 public:
  static constexpr bool stateless = true;
  static Expected<MedianPrice> create() { return MedianPrice(); }

  static std::optional<double> update(const Candle& c) noexcept { return midpoint(c.high, c.low); }
};

}  // namespace sorvik

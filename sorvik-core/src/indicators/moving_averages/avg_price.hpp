#pragma once

#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (open + high + low + close) * 0.25 of the candle.
class AvgPrice {
 public:
  static constexpr bool stateless = true;
  static Expected<AvgPrice> create() { return AvgPrice(); }

  static std::optional<double> update(const Candle& c) noexcept { return (c.open + c.high + c.low + c.close) * 0.25; }
};

}  // namespace sorvik

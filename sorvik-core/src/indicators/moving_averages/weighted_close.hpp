#pragma once

#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (close * 2 + (high + low)) * 0.25 of the candle.
class WeightedClose {
 public:
  static constexpr bool stateless = true;
  static Expected<WeightedClose> create() { return WeightedClose(); }

  static std::optional<double> update(const Candle& c) noexcept { return (c.close * 2.0 + (c.high + c.low)) * 0.25; }
};

}  // namespace sorvik

#pragma once

#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (high + low + close) / 3 of the candle.
class TypicalPrice {
 public:
  static constexpr bool stateless = true;
  static Expected<TypicalPrice> create() { return TypicalPrice(); }

  static std::optional<double> update(const Candle& c) noexcept { return (c.high + c.low + c.close) / 3.0; }
};

}  // namespace sorvik

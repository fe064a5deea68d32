#pragma once

#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Market facilitation index of one bar: (high - low) / volume; a bar without volume yields nothing.
class MarketFacilitationIndex {
 public:
  static constexpr bool stateless = true;
  static Expected<MarketFacilitationIndex> create() { return MarketFacilitationIndex(); }

  static std::optional<double> update(const Candle& c) noexcept {
    if (c.volume == 0.0) return std::nullopt;
    return (c.high - c.low) / c.volume;
  }
};

}  // namespace sorvik

#pragma once

#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The candle's high - low.
class HighLowRange {
 public:
  static constexpr bool stateless = true;
  static Expected<HighLowRange> create() { return HighLowRange(); }

  static std::optional<double> update(const Candle& c) noexcept { return c.high - c.low; }
};

}  // namespace sorvik

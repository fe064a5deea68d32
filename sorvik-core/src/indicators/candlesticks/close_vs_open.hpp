#pragma once

#include <optional>

#include "indicators/candlesticks/candle_shape.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The candle's return from open to close, (c - o) / o; 0 when the open is zero.
class CloseVsOpen {
 public:
  static constexpr bool stateless = true;
  static Expected<CloseVsOpen> create() { return CloseVsOpen(); }

  static std::optional<double> update(const Candle& candle) noexcept {
    const candles::Bar k(candle);
    if (k.o == 0.0) return 0.0;
    return k.body() / k.o;
  }
};

}  // namespace sorvik

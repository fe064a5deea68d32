#pragma once

#include <cstdint>

namespace sorvik {

/// One OHLCV bar. The time is carried unchanged from the dataset.
struct Candle {
  std::int64_t time = 0;
  double open = 0.0;
  double high = 0.0;
  double low = 0.0;
  double close = 0.0;
  double volume = 0.0;
};

}  // namespace sorvik

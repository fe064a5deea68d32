#pragma once

#include <cstdint>
#include <optional>

#include "indicators/candlesticks/candle_shape.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// A long line: a range above the mean range of the previous 5 candles with a body of at least half
/// of it. The candle's colour (+1 white, -1 black) or 0; answers from the sixth candle.
class LongLine {
 public:
  static Expected<LongLine> create() { return LongLine(); }

  std::optional<double> update(const Candle& candle) {
    using namespace candles;
    const Bar k(candle);
    const double r = k.range();
    const std::optional<double> mean = prior_.next(r);
    if (!mean) return std::nullopt;
    return r > *mean && k.body_size() >= 0.5 * r ? k.colour() : NONE;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return candles::PriorRangeMean::COUNT; }

 private:
  candles::PriorRangeMean prior_;
};

}  // namespace sorvik

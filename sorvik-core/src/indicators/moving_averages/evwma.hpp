#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Elastic volume-weighted moving average: a running volume sum V over n candles (the dropped
/// volume subtracted first). Once full: value = (close * volume + (V - volume) * prev) / V when
/// V > 0 (prev = the close on the first computation); when V is 0 the previous value is repeated
/// (or the close, if there is none).
class Evwma {
 public:
  static Expected<Evwma> create(std::uint64_t period);
  explicit Evwma(std::uint64_t period) noexcept : volumes_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return volumes_.capacity(); }

 private:
  Window<double> volumes_;
  double volume_sum_ = 0.0;
  std::optional<double> value_;
};

}  // namespace sorvik

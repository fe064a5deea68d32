#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Force index: the first bar only stores its close; later raw = volume * (close - previous close)
/// feeds an exponential average of period n (a non-finite raw value is skipped by the average; the
/// close is still remembered).
class ForceIndex {
 public:
  static Expected<ForceIndex> create(std::uint64_t period);
  explicit ForceIndex(std::uint64_t period) noexcept : average_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (!has_prev_) {
      prev_close_ = c.close;
      has_prev_ = true;
      return std::nullopt;
    }
    const double raw = c.volume * (c.close - prev_close_);
    prev_close_ = c.close;
    return average_.update(raw);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(average_.warmup_period(), 1); }

 private:
  Ema average_;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

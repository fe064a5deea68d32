#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Williams accumulation/distribution: the first bar only stores its close. Later
/// ad = close - min(low, previous close) when the close rose, close - max(high, previous close) when
/// it fell, 0 when unchanged; the total accumulates ad and is yielded.
class Wad {
 public:
  static Expected<Wad> create() { return Wad(); }

  std::optional<double> update(const Candle& c) noexcept {
    if (!has_prev_) {
      prev_close_ = c.close;
      has_prev_ = true;
      return std::nullopt;
    }
    double ad = 0.0;
    if (c.close > prev_close_) {
      ad = c.close - std::min(c.low, prev_close_);
    } else if (c.close < prev_close_) {
      ad = c.close - std::max(c.high, prev_close_);
    }
    total_ = total_ + ad;
    prev_close_ = c.close;
    return total_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  double total_ = 0.0;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The true range of consecutive candles: high - low on the first bar; afterwards the largest of
/// high - low, |high - previous close| and |low - previous close| (a NaN comparand is ignored).
/// The previous close is replaced on every call.
class TrueRangeCore {
 public:
  double next(const Candle& c) noexcept {
    double tr = c.high - c.low;
    if (started_) {
      tr = std::fmax(std::fmax(tr, std::fabs(c.high - prev_close_)), std::fabs(c.low - prev_close_));
    }
    prev_close_ = c.close;
    started_ = true;
    return tr;
  }

  /// Whether a candle has been seen (so the next range uses a previous close).
  [[nodiscard]] bool started() const noexcept { return started_; }
  [[nodiscard]] double previous_close() const noexcept { return prev_close_; }

 private:
  double prev_close_ = 0.0;
  bool started_ = false;
};

/// The true range of each candle.
class TrueRange {
 public:
  static Expected<TrueRange> create() { return TrueRange(); }

  std::optional<double> update(const Candle& c) noexcept { return core_.next(c); }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  TrueRangeCore core_;
};

}  // namespace sorvik

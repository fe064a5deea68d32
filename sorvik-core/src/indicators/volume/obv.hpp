#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// On-balance volume: starts at 0 (the first bar yields 0); on each later bar the volume is added
/// when the close rose against the previous close, subtracted when it fell, nothing when unchanged.
class Obv {
 public:
  static Expected<Obv> create() { return Obv(); }

  std::optional<double> update(const Candle& c) noexcept {
    if (has_prev_) {
      if (c.close > prev_close_) {
        value_ = value_ + c.volume;
      } else if (c.close < prev_close_) {
        value_ = value_ - c.volume;
      }
    }
    prev_close_ = c.close;
    has_prev_ = true;
    return value_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double value_ = 0.0;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

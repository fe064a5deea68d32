#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume-price trend: starts at 0 (the first bar yields 0); afterwards
/// vpt = volume * (close - previous) / previous + vpt, the term being 0 when the previous close is 0.
class VolumePriceTrend {
 public:
  static Expected<VolumePriceTrend> create() { return VolumePriceTrend(); }

  std::optional<double> update(const Candle& c) noexcept {
    if (has_prev_) {
      const double term = prev_close_ == 0.0 ? 0.0 : c.volume * (c.close - prev_close_) / prev_close_;
      value_ = term + value_;
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

#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Adaptive commodity channel index. Typical prices tp = (high + low + close) / 3 in a window of n.
/// Once full: er = |tp - oldest tp| / (left-to-right sum of |tp_i - tp_(i-1)| over the window), at
/// most 1; sc = (er * 0.6021505376344085 + 0.06451612903225806)^2, or 0.004162330905306971 when the
/// path sum is not positive. The mean is the plain window mean the first time, afterwards
/// sc * (tp - mean) + mean. Value = (tp - mean) / (mean deviation * 0.015) with the mean deviation
/// (sum of |tp_i - mean|) / n, or 0 when the mean deviation is not positive.
class AdaptiveCci {
 public:
  /// Checks: n at least 2, then MAX_PERIOD.
  static Expected<AdaptiveCci> create(std::uint64_t period);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  explicit AdaptiveCci(std::uint64_t period) noexcept
      : tps_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(const Candle& c);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return tps_.capacity(); }

 private:
  Window<double> tps_;
  double n_;
  double mean_ = 0.0;
  bool has_mean_ = false;
};

}  // namespace sorvik

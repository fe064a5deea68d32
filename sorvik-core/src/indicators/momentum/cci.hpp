#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Commodity channel index. The typical price tp = (high + low + close) / 3 goes into a window of n
/// with a running sum re-added from scratch every n pushes; mean = sum / n; the mean deviation is
/// the left-to-right sum of |tp_i - mean| (oldest first) over n. Value = (tp - mean) /
/// (mean deviation * 0.015), or 0 when the mean deviation is zero.
class Cci {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Cci> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Cci(std::uint64_t period) noexcept : sum_(period, period), n_(static_cast<double>(period)) {}

  std::optional<double> update(const Candle& c) {
    const double tp = (c.high + c.low + c.close) / 3.0;
    sum_.push(tp);
    if (!sum_.full()) return std::nullopt;
    const double mean = sum_.sum() / n_;
    double dev = 0.0;
    sum_.window().for_each([&](double v) { dev = dev + std::fabs(v - mean); });
    const double mean_dev = dev / n_;
    if (mean_dev == 0.0) return 0.0;
    return (tp - mean) / (mean_dev * 0.015);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sum_.period(); }

 private:
  RunningSum sum_;
  double n_;
};

}  // namespace sorvik

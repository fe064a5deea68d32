#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Bands around the run's volume-weighted average price, one volume-weighted standard deviation
/// times the multiplier away. The moments are taken about K, the typical price of the first bar
/// (fixed), which keeps them well conditioned over a long run: with d = tp - K,
/// S1 = S1 + d * volume, S2 = S2 + (d * d) * volume, V = volume + V; nothing while V = 0; then
/// m1 = S1 / V, m2 = S2 / V, stddev = sqrt(max(m2 - m1 * m1, 0)), vwap = K + m1.
class VwapStdDevBands {
 public:
  static constexpr std::array<std::string_view, 4> output_names{"upper", "middle", "lower", "stddev"};

  /// Checks: the multiplier finite and > 0 (`NonPositiveMultiplier`).
  static Expected<VwapStdDevBands> create(double multiplier);
  explicit VwapStdDevBands(double multiplier) noexcept : multiplier_(multiplier) {}

  std::optional<std::array<double, 4>> update(const Candle& c) noexcept {
    const double tp = volume_detail::typical_price(c);
    if (!anchored_) {
      k_ = tp;
      anchored_ = true;
    }
    const double d = tp - k_;
    s1_ = s1_ + d * c.volume;
    s2_ = s2_ + (d * d) * c.volume;
    v_ = c.volume + v_;
    if (v_ == 0.0) return std::nullopt;
    const double m1 = s1_ / v_;
    const double m2 = s2_ / v_;
    const double stddev = std::sqrt(std::max(m2 - m1 * m1, 0.0));
    const double vwap = k_ + m1;
    return std::array<double, 4>{vwap + multiplier_ * stddev, vwap, vwap - multiplier_ * stddev, stddev};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double multiplier_;
  double k_ = 0.0;
  double s1_ = 0.0;
  double s2_ = 0.0;
  double v_ = 0.0;
  bool anchored_ = false;
};

}  // namespace sorvik

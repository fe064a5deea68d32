#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Envelope around Sma(n): (1 + percent) * middle and (1 - percent) * middle, with percent a
/// fraction of the middle (0.025 for 2.5 %).
class MaEnvelope {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: percent (finite and > 0), then the period.
  static Expected<MaEnvelope> create(std::uint64_t period, double percent);
  MaEnvelope(std::uint64_t period, double percent)
      : sma_(period), up_(1.0 + percent), down_(1.0 - percent) {}

  std::optional<std::array<double, 3>> update(double x) {
    const auto middle = sma_.update(x);
    if (!middle) return std::nullopt;
    return std::array<double, 3>{up_ * *middle, *middle, down_ * *middle};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  Sma sma_;
  double up_;    // 1 + percent
  double down_;  // 1 - percent
};

}  // namespace sorvik

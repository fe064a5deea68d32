#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "indicators/bands/donchian.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Chandelier exit: "long_stop" = highest high of the last n bars - multiplier * atr, "short_stop" =
/// lowest low of the last n bars + multiplier * atr.
class ChandelierExit {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"long_stop", "short_stop"};
  /// Checks: the period (0, then MAX_PERIOD), then the multiplier (finite and > 0).
  static Expected<ChandelierExit> create(std::uint64_t period, double multiplier);
  /// Precondition: `create`'s checks passed.
  ChandelierExit(std::uint64_t period, double multiplier) noexcept
      : atr_(period), channel_(period), multiplier_(multiplier) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const auto atr = atr_.update(c);
    const auto channel = channel_.update(c);
    if (!atr || !channel) return std::nullopt;
    const double highest = (*channel)[0];
    const double lowest = (*channel)[2];
    return std::array<double, 2>{highest - multiplier_ * *atr, lowest + multiplier_ * *atr};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
  Donchian channel_;  // upper = highest high, lower = lowest low
  double multiplier_;
};

}  // namespace sorvik

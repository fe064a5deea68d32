#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/donchian.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Donchian stop: "stop_long" = lowest low and "stop_short" = highest high of the last n bars.
class DonchianStop {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"stop_long", "stop_short"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<DonchianStop> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit DonchianStop(std::uint64_t period) noexcept : channel_(period) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const auto channel = channel_.update(c);
    if (!channel) return std::nullopt;
    return std::array<double, 2>{(*channel)[2], (*channel)[0]};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return channel_.warmup_period(); }

 private:
  Donchian channel_;  // upper = highest high, lower = lowest low
};

}  // namespace sorvik

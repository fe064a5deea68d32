#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/profiles/initial_balance.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Opening range: the frozen range of the first n candles (as `InitialBalance`) and the close's
/// distance from its midpoint, breakout_distance = C - midpoint(low, high), on every candle.
class OpeningRange {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"high", "low", "breakout_distance"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<OpeningRange> create(std::uint64_t period);
  explicit OpeningRange(std::uint64_t period) noexcept : range_(period) {}

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    const auto r = range_.update(c);
    const double high = (*r)[0];
    const double low = (*r)[1];
    return std::array<double, 3>{high, low, c.close - midpoint(low, high)};
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 1; }

 private:
  InitialBalance range_;
};

}  // namespace sorvik

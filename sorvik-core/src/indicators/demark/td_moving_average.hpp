#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD moving average: the bar's midpoint(high, low) feeds two simple moving averages of lengths st1
/// < st2; yields `st1` and `st2` once both are full.
class TdMovingAverage {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"st1", "st2"};

  /// Checks: st1, then st2 (zero only); then st1 < st2.
  static Expected<TdMovingAverage> create(std::uint64_t st1, std::uint64_t st2);
  /// Precondition: 0 < st1 < st2.
  TdMovingAverage(std::uint64_t st1, std::uint64_t st2) : short_(st1), long_(st2) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const double mid = midpoint(c.high, c.low);
    const std::optional<double> a = short_.update(mid);
    const std::optional<double> b = long_.update(mid);
    if (!a || !b) return std::nullopt;
    return std::array<double, 2>{*a, *b};
  }

  /// st2.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return long_.warmup_period(); }

 private:
  Sma short_;
  Sma long_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "indicators/bands/donchian.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Chande-Kroll stop. First stage over p bars: high stop = highest high - multiplier * atr(p), low
/// stop = lowest low + multiplier * atr(p). "stop_long" = the highest high stop of the last q bars,
/// "stop_short" = the lowest low stop of the last q bars.
class ChandeKrollStop {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"stop_long", "stop_short"};
  /// Checks: p (0, then MAX_PERIOD), the multiplier (finite and > 0), then q (0, then MAX_PERIOD).
  static Expected<ChandeKrollStop> create(std::uint64_t p, double multiplier, std::uint64_t q);
  /// Precondition: `create`'s checks passed.
  ChandeKrollStop(std::uint64_t p, double multiplier, std::uint64_t q) noexcept
      : atr_(p), channel_(p), high_stops_(static_cast<std::size_t>(q)), low_stops_(static_cast<std::size_t>(q)),
        multiplier_(multiplier) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const auto atr = atr_.update(c);
    const auto channel = channel_.update(c);
    if (!atr || !channel) return std::nullopt;
    high_stops_.push_discard((*channel)[0] - multiplier_ * *atr);
    low_stops_.push_discard((*channel)[2] + multiplier_ * *atr);
    if (!high_stops_.full()) return std::nullopt;
    return std::array<double, 2>{scan_max(high_stops_), scan_min(low_stops_)};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(atr_.warmup_period(), high_stops_.capacity()), 1);
  }

 private:
  Atr atr_;
  Donchian channel_;  // upper = highest high, lower = lowest low over p
  Window<double> high_stops_;
  Window<double> low_stops_;
  double multiplier_;
};

}  // namespace sorvik

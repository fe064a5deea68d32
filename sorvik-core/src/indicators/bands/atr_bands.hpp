#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Bands around the close at a multiple of the ATR: close + atr * multiplier, close,
/// close - atr * multiplier.
class AtrBands {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AtrBands> create(std::uint64_t period, double multiplier);
  AtrBands(std::uint64_t period, double multiplier) noexcept : atr_(period), multiplier_(multiplier) {}

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    return std::array<double, 3>{c.close + *atr * multiplier_, c.close, c.close - *atr * multiplier_};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
  double multiplier_;
};

}  // namespace sorvik

#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Keltner channel: middle = Ema(ema period) of the close, upper/lower = middle +- multiplier *
/// Atr(atr period); yields once both are ready.
class Keltner {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the ema period, then the atr period (each 0, then MAX_PERIOD).
  static Expected<Keltner> create(std::uint64_t ema_period, std::uint64_t atr_period, double multiplier);
  Keltner(std::uint64_t ema_period, std::uint64_t atr_period, double multiplier) noexcept
      : ema_(ema_period), atr_(atr_period), multiplier_(multiplier) {}

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    const auto middle = ema_.update(c.close);
    const auto atr = atr_.update(c);
    if (!middle || !atr) return std::nullopt;
    return std::array<double, 3>{*middle + multiplier_ * *atr, *middle, *middle - multiplier_ * *atr};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return std::max(ema_.warmup_period(), atr_.warmup_period());
  }

 private:
  Ema ema_;
  Atr atr_;
  double multiplier_;
};

}  // namespace sorvik

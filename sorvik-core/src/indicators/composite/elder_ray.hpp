#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Elder ray: with `Ema`(n) of the close, "bull_power" = high - ema and "bear_power" = low - ema.
class ElderRay {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"bull_power", "bear_power"};

  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<ElderRay> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit ElderRay(std::uint64_t period) noexcept : ema_(period) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    const auto e = ema_.update(c.close);
    if (!e) return std::nullopt;
    return std::array<double, 2>{c.high - *e, c.low - *e};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return ema_.warmup_period(); }

 private:
  Ema ema_;
};

}  // namespace sorvik

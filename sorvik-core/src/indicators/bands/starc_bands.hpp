#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// STARC bands: middle = Sma(sma period) of the close, upper/lower = middle +- Atr(atr period) *
/// multiplier; yields once both are ready.
class StarcBands {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the multiplier (finite and > 0), the sma period, then the atr period.
  static Expected<StarcBands> create(std::uint64_t sma_period, std::uint64_t atr_period, double multiplier);
  StarcBands(std::uint64_t sma_period, std::uint64_t atr_period, double multiplier)
      : sma_(sma_period), atr_(atr_period), multiplier_(multiplier) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    const auto middle = sma_.update(c.close);
    const auto atr = atr_.update(c);
    if (!middle || !atr) return std::nullopt;
    return std::array<double, 3>{*middle + *atr * multiplier_, *middle, *middle - *atr * multiplier_};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return std::max(sma_.warmup_period(), atr_.warmup_period());
  }

 private:
  Sma sma_;
  Atr atr_;
  double multiplier_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/sma.hpp"
#include "indicators/volume/volume_common.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The bar drawn with its volume as width: a simple average of the volume over n bars; once it is
/// ready, "body" = close - open and "width" = volume / average, 0 when the average is not positive.
class CandleVolume {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"body", "width"};

  static Expected<CandleVolume> create(std::uint64_t period);
  explicit CandleVolume(std::uint64_t period) : average_(period) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    const auto average = average_.update(c.volume);
    if (!average) return std::nullopt;
    return std::array<double, 2>{c.close - c.open, volume_detail::volume_width(c.volume, *average)};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return average_.warmup_period(); }

 private:
  Sma average_;
};

}  // namespace sorvik

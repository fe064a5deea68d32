#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Hurst channel: half = (highest high - lowest low of the last n candles) * width around
/// Sma(n) of the close.
class HurstChannel {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: width (finite and > 0), then the period.
  static Expected<HurstChannel> create(std::uint64_t period, double width);
  HurstChannel(std::uint64_t period, double width)
      : window_(static_cast<std::size_t>(period)), sma_(period), width_(width) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    window_.push_discard({c.high, c.low});
    const auto sma = sma_.update(c.close);
    if (!sma) return std::nullopt;
    const double hh = scan_max(window_, [](const HighLow& b) { return b.high; });
    const double ll = scan_min(window_, [](const HighLow& b) { return b.low; });
    const double half = (hh - ll) * width_;
    return std::array<double, 3>{*sma + half, *sma, *sma - half};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> window_;
  Sma sma_;
  double width_;
};

}  // namespace sorvik

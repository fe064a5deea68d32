#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Donchian channel: highest high and lowest low of the last n candles (scan), middle =
/// midpoint(upper, lower).
class Donchian {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Donchian> create(std::uint64_t period);
  explicit Donchian(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    window_.push_discard({c.high, c.low});
    if (!window_.full()) return std::nullopt;
    const double upper = scan_max(window_, [](const HighLow& b) { return b.high; });
    const double lower = scan_min(window_, [](const HighLow& b) { return b.low; });
    return std::array<double, 3>{upper, midpoint(upper, lower), lower};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> window_;
};

}  // namespace sorvik

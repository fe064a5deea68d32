#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Murrey math lines: the range of the last n candles, from the lowest low G to the highest high T,
/// cut into eighths E = (T - G) * 0.125; the level of k eighths is k E + G, from mm8_8 down to mm0_8.
class MurreyMathLines {
 public:
  static constexpr std::array<std::string_view, 9> output_names{"mm8_8", "mm7_8", "mm6_8", "mm5_8", "mm4_8",
                                                                "mm3_8", "mm2_8", "mm1_8", "mm0_8"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<MurreyMathLines> create(std::uint64_t period);
  explicit MurreyMathLines(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<std::array<double, 9>> update(const Candle& c) {
    window_.push_discard({c.high, c.low});
    if (!window_.full()) return std::nullopt;
    const double top = scan_max(window_, [](const HighLow& b) { return b.high; });
    const double bottom = scan_min(window_, [](const HighLow& b) { return b.low; });
    const double e = (top - bottom) * 0.125;
    std::array<double, 9> levels{};
    for (std::size_t i = 0; i < 9; ++i) levels[i] = static_cast<double>(8 - i) * e + bottom;
    return levels;
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

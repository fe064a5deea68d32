#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The golden pocket of the last swing A -> B: the band between its 0.618 and 0.65 retracements
/// (x (A - B) + B), as low, midpoint and high.
class GoldenPocket {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"low", "mid", "high"};
  static Expected<GoldenPocket> create() { return GoldenPocket(); }

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 2) return std::nullopt;
    const double a = swing_[0].price;
    const double b = swing_[1].price;
    const double x1 = chart::retracement(0.618, a, b);
    const double x2 = chart::retracement(0.65, a, b);
    const double low = std::min(x1, x2);
    const double high = std::max(x1, x2);
    return std::array<double, 3>{low, midpoint(low, high), high};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<2> swing_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Zig-zag: the price of the latest swing pivot confirmed by a move of the threshold fraction, and
/// the direction of the current leg (+1 rising, -1 falling). Silent until the first pivot.
class ZigZag {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"swing", "direction"};
  /// Checks: the threshold is a finite fraction strictly between 0 and 1.
  static Expected<ZigZag> create(double threshold);
  explicit ZigZag(double threshold) noexcept : swing_(threshold) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() == 0) return std::nullopt;
    return std::array<double, 2>{swing_.newest().price, static_cast<double>(swing_.direction())};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<1> swing_;
};

}  // namespace sorvik

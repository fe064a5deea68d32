#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Andrews' pitchfork over the last three alternating swing pivots, each found as the middle candle
/// of a window of 2n + 1 whose high (low) is strictly above (below) every other one. The median line
/// runs from the first pivot through the midpoint of the other two; the upper and lower tines are
/// parallel to it through the other two pivots. Silent until three pivots exist.
class AndrewsPitchfork {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"median", "upper", "lower"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AndrewsPitchfork> create(std::uint64_t period);
  explicit AndrewsPitchfork(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(2 * period + 1)), n_(static_cast<std::size_t>(period)) {}

  std::optional<std::array<double, 3>> update(const Candle& c);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  struct Point {
    std::uint64_t bar;
    double price;
    int kind;
  };
  void add_pivot(Point p) noexcept;

  Window<HighLow> window_;
  std::size_t n_;
  std::uint64_t bars_ = 0;
  std::array<Point, 3> pivots_{};
  std::size_t count_ = 0;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci confluence of the last six pivots: the 0.382, 0.5 and 0.618 retracements of every
/// consecutive pivot pair, in order; the level matched (within 3 %) by the most levels, a later level
/// winning a tie, gives price = the mean of its cluster (summed in order) and strength = its size.
/// Needs three pivots; the answer changes only when a pivot is confirmed.
class FibConfluence {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"price", "strength"};
  static Expected<FibConfluence> create() { return FibConfluence(); }

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    if (swing_.update(c.high, c.low) && swing_.size() >= 3) last_ = cluster();
    if (swing_.size() < 3) return std::nullopt;
    return last_;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  std::array<double, 2> cluster() const noexcept;

  chart::SwingDetector<6> swing_;
  std::array<double, 2> last_{};
};

}  // namespace sorvik

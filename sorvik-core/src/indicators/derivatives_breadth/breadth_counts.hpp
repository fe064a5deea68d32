#pragma once

// The counts every market-breadth measure is built from, gathered in one pass over a cross-section.

#include <cstdint>

#include "sorvik/records.hpp"

namespace sorvik::breadth_detail {

/// A = advances (change > 0), D = declines (change < 0), UV / DV = volume of the advancing /
/// declining entries (added in entry order from zero), H / L = new highs / new lows, N = entries.
struct BreadthCounts {
  std::uint64_t advances = 0;
  std::uint64_t declines = 0;
  double up_volume = 0.0;
  double down_volume = 0.0;
  std::uint64_t new_highs = 0;
  std::uint64_t new_lows = 0;
  std::uint64_t above_ma = 0;
  std::uint64_t bullish = 0;
  std::uint64_t total = 0;

  /// A - D as a double.
  [[nodiscard]] double net_advances() const noexcept {
    return static_cast<double>(advances) - static_cast<double>(declines);
  }
};

[[nodiscard]] inline BreadthCounts count_breadth(const CrossSection& cs) noexcept {
  BreadthCounts c;
  for (const CrossSectionEntry& e : cs.entries) {
    if (e.change > 0.0) {
      ++c.advances;
      c.up_volume = c.up_volume + e.volume;
    } else if (e.change < 0.0) {
      ++c.declines;
      c.down_volume = c.down_volume + e.volume;
    }
    c.new_highs += e.new_high ? 1 : 0;
    c.new_lows += e.new_low ? 1 : 0;
    c.above_ma += e.above_ma ? 1 : 0;
    c.bullish += e.bullish ? 1 : 0;
  }
  c.total = cs.entries.size();
  return c;
}

/// 100 * count / N, 0 for an empty cross-section.
[[nodiscard]] inline double percent_of_entries(std::uint64_t count, std::uint64_t total) noexcept {
  if (total == 0) return 0.0;
  return (100.0 * static_cast<double>(count)) / static_cast<double>(total);
}

}  // namespace sorvik::breadth_detail

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/directional/directional_movement.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Choppiness index: log10(sum of the last n true ranges / (highest high - lowest low)) * 100 /
/// log10(n), or 100 when the highest high equals the lowest low. The first bar's true range is its
/// high - low; the sum is a running sum without periodic re-add. From bar n.
class ChoppinessIndex {
 public:
  /// Checks: n >= 2, then MAX_PERIOD.
  static Expected<ChoppinessIndex> create(std::uint64_t period);
  /// Precondition: 2 <= period <= MAX_PERIOD.
  explicit ChoppinessIndex(std::uint64_t period) noexcept
      : log10_n_(std::log10(static_cast<double>(period))),
        tr_(period, directional::NO_READD),
        bars_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    tr_.push(true_range_.next(c));
    bars_.push_discard({c.high, c.low});
    if (!tr_.full()) return std::nullopt;
    const double hh = scan_max(bars_, [](const HighLow& b) { return b.high; });
    const double ll = scan_min(bars_, [](const HighLow& b) { return b.low; });
    if (hh == ll) return 100.0;
    return (std::log10(tr_.sum() / (hh - ll)) * 100.0) / log10_n_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bars_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  double log10_n_;
  RunningSum tr_;
  Window<HighLow> bars_;
  TrueRangeCore true_range_;
};

}  // namespace sorvik

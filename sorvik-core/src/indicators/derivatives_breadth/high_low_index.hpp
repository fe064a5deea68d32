#pragma once

#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The `Sma` over n bars of the record-high percent 100 * H / (H + L) (H, L = new-high and new-low
/// counts; 0 when both are zero).
class HighLowIndex {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<HighLowIndex> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit HighLowIndex(std::uint64_t period) : sma_(period) {}

  std::optional<double> update(const CrossSection& cs) {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    const double h = static_cast<double>(c.new_highs);
    const double both = h + static_cast<double>(c.new_lows);
    return sma_.update(both == 0.0 ? 0.0 : (100.0 * h) / both);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  Sma sma_;
};

}  // namespace sorvik

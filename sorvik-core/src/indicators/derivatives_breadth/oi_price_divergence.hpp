#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/ratios.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Open-interest change ratio minus mark-price change ratio over n ticks: with the oldest (OI0, P0)
/// and newest (OI1, P1) of the last n + 1 ticks, (OI1 - OI0) / OI0 - (P1 - P0) / P0, each term 0
/// when its old value is zero.
class OIPriceDivergence {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<OIPriceDivergence> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit OIPriceDivergence(std::uint64_t period)
      : window_(static_cast<std::size_t>(period) + 1), period_(period) {}

  std::optional<double> update(const DerivativesTick& t) {
    window_.push_discard(Point{t.open_interest, t.mark_price});
    if (!window_.full()) return std::nullopt;
    const Point& old = window_.oldest();
    const double oi_change = derivatives_detail::relative_spread(t.open_interest, old.open_interest);
    const double price_change = derivatives_detail::relative_spread(t.mark_price, old.mark_price);
    return oi_change - price_change;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(period_, 1); }

 private:
  struct Point {
    double open_interest;
    double mark_price;
  };
  Window<Point> window_;
  std::uint64_t period_;
};

}  // namespace sorvik

#include "indicators/microstructure/depth_slope.hpp"

#include <cstddef>
#include <span>

#include "sorvik/blocks.hpp"

namespace sorvik {

namespace {

/// Least-squares slope (n·Σxy − Σx·Σy)/(n·Σx² − (Σx)²) of cumulative size on the distance from the
/// mid; `bid_side` measures distance as mid − price, otherwise price − mid.
double side_slope(std::span<const BookLevel> levels, double mid, bool bid_side) noexcept {
  double sx = 0.0;
  double sy = 0.0;
  double sxy = 0.0;
  double sxx = 0.0;
  double cum = 0.0;
  for (const BookLevel& l : levels) {
    const double x = bid_side ? mid - l.price : l.price - mid;
    cum = cum + l.size;
    sx = sx + x;
    sy = sy + cum;
    sxy = sxy + x * cum;
    sxx = sxx + x * x;
  }
  const double n = static_cast<double>(levels.size());
  const double den = n * sxx - sx * sx;
  if (den == 0.0) return 0.0;
  return (n * sxy - sx * sy) / den;
}

}  // namespace

Expected<DepthSlope> DepthSlope::create() { return DepthSlope{}; }

std::optional<double> DepthSlope::update(const OrderBook& book) noexcept {
  if (book.bids.size() < 2 || book.asks.size() < 2) return 0.0;
  const double mid = midpoint(book.bids.front().price, book.asks.front().price);
  const double s_bid = side_slope(book.bids, mid, true);
  const double s_ask = side_slope(book.asks, mid, false);
  return midpoint(s_bid, s_ask);
}

}  // namespace sorvik

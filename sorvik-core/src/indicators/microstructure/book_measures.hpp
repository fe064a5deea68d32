#pragma once

// Shared pieces of the book and trade-and-quote members: the size imbalance of the first levels of
// a book and the reference price ("mid") of a trade-and-quote bar.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/blocks.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Sum of the sizes of the first min(k, levels) levels, best level first, from zero.
[[nodiscard]] inline double depth_of(std::span<const BookLevel> levels, std::uint64_t k) noexcept {
  const std::size_t m = k < levels.size() ? static_cast<std::size_t>(k) : levels.size();
  double s = 0.0;
  for (std::size_t i = 0; i < m; ++i) s = s + levels[i].size;
  return s;
}

/// (B - A)/(B + A) over the first k levels of each side, or 0 when B + A <= 0. A side with fewer
/// levels contributes what it has (an empty side contributes 0).
[[nodiscard]] inline double size_imbalance(const OrderBook& book, std::uint64_t k) noexcept {
  const double b = depth_of(book.bids, k);
  const double a = depth_of(book.asks, k);
  const double total = b + a;
  if (!(total > 0.0)) return 0.0;
  return (b - a) / total;
}

/// The reference price of a trade-and-quote bar: the midpoint of the best quotes when a book with
/// both sides is present, otherwise the bar's close; nothing when that price is not finite or not
/// greater than 0.
[[nodiscard]] inline std::optional<double> reference_mid(const TradeQuote& q) noexcept {
  double mid = q.close;
  if (q.book != nullptr && !q.book->bids.empty() && !q.book->asks.empty()) {
    mid = midpoint(q.book->bids.front().price, q.book->asks.front().price);
  }
  if (!std::isfinite(mid) || !(mid > 0.0)) return std::nullopt;
  return mid;
}

}  // namespace sorvik

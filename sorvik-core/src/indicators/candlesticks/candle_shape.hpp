#pragma once

// The measures every candlestick pattern is written in: for one candle, its open o, high h, low l and
// close c; body b = c - o and its size |b|; range R = h - l; top = max(o, c), bottom = min(o, c);
// upper shadow U = h - top, lower shadow L = bottom - l. A candle is white when c > o, black when
// o > c, and a doji when R > 0 and |b| <= 0.1 * R. Private to the candlestick family.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/records.hpp"

namespace sorvik::candles {

/// The signals of a detector: the bullish reading, the bearish reading, no pattern.
inline constexpr double BULLISH = 1.0;
inline constexpr double BEARISH = -1.0;
inline constexpr double NONE = 0.0;

/// The fixed coefficients of the detectors.
inline constexpr double PRICE_TOLERANCE = 0.001;  // two prices "match"
inline constexpr double SHADOW_TOLERANCE = 0.05;  // a shadow "absent", a level "touched"
inline constexpr double DOJI_FRACTION = 0.1;      // body of a doji, at most this share of the range
inline constexpr double BODY_FRACTION = 0.3;      // a "small" body
inline constexpr double PENETRATION = 0.3;        // how far a star's third candle closes into the first
inline constexpr double MAT_HOLD_FRACTION = 0.5;  // reaction bodies of a mat hold against its first body

/// One candle of a pattern, read through its shape.
struct Bar {
  double o = 0.0;
  double h = 0.0;
  double l = 0.0;
  double c = 0.0;

  Bar() = default;
  explicit Bar(const Candle& k) noexcept : o(k.open), h(k.high), l(k.low), c(k.close) {}

  [[nodiscard]] double body() const noexcept { return c - o; }
  [[nodiscard]] double body_size() const noexcept { return std::fabs(c - o); }
  [[nodiscard]] double range() const noexcept { return h - l; }
  [[nodiscard]] double top() const noexcept { return std::max(o, c); }
  [[nodiscard]] double bottom() const noexcept { return std::min(o, c); }
  [[nodiscard]] double upper_shadow() const noexcept { return h - top(); }
  [[nodiscard]] double lower_shadow() const noexcept { return bottom() - l; }
  [[nodiscard]] bool white() const noexcept { return c > o; }
  [[nodiscard]] bool black() const noexcept { return o > c; }
  [[nodiscard]] bool doji() const noexcept {
    const double r = range();
    return r > 0.0 && body_size() <= DOJI_FRACTION * r;
  }
  /// +1 for a white candle, -1 otherwise.
  [[nodiscard]] double colour() const noexcept { return white() ? BULLISH : BEARISH; }
  /// A body of at least half the range (a "long" candle of either colour).
  [[nodiscard]] bool long_body() const noexcept {
    const double r = range();
    return r > 0.0 && body_size() >= 0.5 * r;
  }
};

/// |a - b| <= 0.001 * max(|a|, |b|): two prices that match.
[[nodiscard]] inline bool same_price(double a, double b) noexcept {
  return std::fabs(a - b) <= PRICE_TOLERANCE * std::max(std::fabs(a), std::fabs(b));
}

/// lo < x < hi.
[[nodiscard]] inline bool strictly_between(double lo, double x, double hi) noexcept { return lo < x && x < hi; }

/// lo <= x <= hi.
[[nodiscard]] inline bool between(double lo, double x, double hi) noexcept { return lo <= x && x <= hi; }

/// `inner` lies inside `outer`: a lower high and a higher low.
[[nodiscard]] inline bool inside(const Bar& inner, const Bar& outer) noexcept {
  return inner.h < outer.h && inner.l > outer.l;
}

/// The opening of the neck lines and thrusting: a long black candle (body at least half of a non-zero
/// range), then a white candle opening below its low.
[[nodiscard]] inline bool long_black_then_white_below(const Bar& k1, const Bar& k2) noexcept {
  return k1.black() && k1.long_body() && k2.white() && k2.o < k1.l;
}

/// The mean range of the 5 candles before the current one (the yardstick of long and short lines):
/// nothing until 5 ranges are held; the mean is taken before the current range replaces the oldest.
class PriorRangeMean {
 public:
  static constexpr std::size_t COUNT = 5;

  std::optional<double> next(double range) {
    std::optional<double> mean;
    if (ranges_.full()) mean = window_sum(ranges_) / static_cast<double>(COUNT);
    ranges_.push_discard(range);
    return mean;
  }

 private:
  Window<double> ranges_{COUNT};
};

}  // namespace sorvik::candles

#pragma once

// The pieces shared by the swing-based members of the chart-pattern family: the percentage swing
// detector with its list of confirmed pivots, the tolerance test of the pattern rules, the sign rule
// "by the newest pivot", and the level arithmetic of the Fibonacci members.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik::chart {

/// The threshold of every Fibonacci and pattern member (a 5 % move confirms a pivot).
inline constexpr double SWING_THRESHOLD = 0.05;

/// A confirmed swing point: its price, +1 for a swing high or -1 for a swing low, and the 0-based
/// index of the bar where the extreme was set.
struct Pivot {
  double price = 0.0;
  int kind = 0;
  std::uint64_t bar = 0;
};

/// Percentage swing detector keeping the last K confirmed pivots, oldest first.
///
/// The first bar starts a rising leg at its high. While rising, a higher high extends the leg;
/// otherwise a low at or below (1 - threshold) times the extreme confirms the extreme as a swing
/// high and starts a falling leg at that low. While falling, a lower low extends the leg; otherwise
/// a high at or above (1 + threshold) times the extreme confirms a swing low and starts a rising leg
/// at that high. A pivot beyond the K kept drops the oldest.
template <std::size_t K>
class SwingDetector {
  static_assert(K >= 1 && K <= 7);

 public:
  explicit SwingDetector(double threshold = SWING_THRESHOLD) noexcept
      : down_(1.0 - threshold), up_(1.0 + threshold) {}

  /// Feeds one bar; answers whether it confirmed a new pivot.
  bool update(double high, double low) noexcept {
    const std::uint64_t now = bars_++;
    if (direction_ == 0) {
      direction_ = 1;
      set_extreme(high, now);
      return false;
    }
    if (direction_ > 0) {
      if (high > extreme_) {
        set_extreme(high, now);
        return false;
      }
      if (low <= down_ * extreme_) {
        confirm({extreme_, 1, extreme_bar_});
        direction_ = -1;
        set_extreme(low, now);
        return true;
      }
      return false;
    }
    if (low < extreme_) {
      set_extreme(low, now);
      return false;
    }
    if (high >= up_ * extreme_) {
      confirm({extreme_, -1, extreme_bar_});
      direction_ = 1;
      set_extreme(high, now);
      return true;
    }
    return false;
  }

  /// Number of pivots held (at most K).
  [[nodiscard]] std::size_t size() const noexcept { return count_; }
  /// i = 0 is the oldest pivot held.
  [[nodiscard]] const Pivot& operator[](std::size_t i) const noexcept { return pivots_[i]; }
  [[nodiscard]] const Pivot& newest() const noexcept { return pivots_[count_ - 1]; }
  /// The current leg: +1 rising, -1 falling (0 before the first bar).
  [[nodiscard]] int direction() const noexcept { return direction_; }
  /// The 0-based index of the last bar fed.
  [[nodiscard]] std::uint64_t now() const noexcept { return bars_ - 1; }

 private:
  void set_extreme(double price, std::uint64_t bar) noexcept {
    extreme_ = price;
    extreme_bar_ = bar;
  }
  void confirm(Pivot p) noexcept {
    if (count_ == K) {
      std::copy(pivots_.begin() + 1, pivots_.end(), pivots_.begin());
      --count_;
    }
    pivots_[count_++] = p;
  }

  double down_;
  double up_;
  std::array<Pivot, K> pivots_{};
  std::size_t count_ = 0;
  std::uint64_t bars_ = 0;
  double extreme_ = 0.0;
  std::uint64_t extreme_bar_ = 0;
  int direction_ = 0;
};

/// a matches b within `fraction`: |a - b| <= fraction * max(|a|, |b|, smallest normal double).
[[nodiscard]] inline bool matches(double a, double b, double fraction = 0.03) noexcept {
  const double scale = std::max(std::max(std::fabs(a), std::fabs(b)), 2.2250738585072014e-308);
  return std::fabs(a - b) <= fraction * scale;
}

/// x within the closed range [lo, hi] (a NaN is never within).
[[nodiscard]] inline bool within(double x, double lo, double hi) noexcept { return lo <= x && x <= hi; }

/// The sign rule of a pattern completed by a pivot of the given kind: -1 after a top, +1 after a
/// bottom.
[[nodiscard]] inline double by_newest_pivot(int kind) noexcept { return kind > 0 ? -1.0 : 1.0; }

/// A level x of the way along a leg d from its base: x * d + base.
[[nodiscard]] inline double scaled(double x, double d, double base) noexcept { return x * d + base; }

/// The retracement level x of the move from a to b, measured back from b: x * (a - b) + b.
[[nodiscard]] inline double retracement(double x, double a, double b) noexcept { return scaled(x, a - b, b); }

/// The value at bar `at` of the line through (bar0, price0) with slope s per bar:
/// (at - bar0) * s + price0.
[[nodiscard]] inline double line_at(std::uint64_t bar0, double price0, double s, std::uint64_t at) noexcept {
  return static_cast<double>(at - bar0) * s + price0;
}

/// The two swing highs and two swing lows among the last four pivots, older first.
struct HighsAndLows {
  double h1 = 0.0;
  double h2 = 0.0;
  double l1 = 0.0;
  double l2 = 0.0;
};
[[nodiscard]] inline HighsAndLows highs_and_lows(const SwingDetector<4>& s) noexcept {
  // Pivots alternate, so the highs are either the first and third or the second and fourth.
  const std::size_t h = s[0].kind > 0 ? 0 : 1;
  const std::size_t l = 1 - h;
  return {s[h].price, s[h + 2].price, s[l].price, s[l + 2].price};
}

/// A closed range of a ratio.
struct RatioRange {
  double lo;
  double hi;
};

/// The XABCD harmonic rule on the last five pivots X, A, B, C, D: the ratios |B - A| / |A - X|,
/// |C - B| / |B - A|, |D - C| / |C - B| and |D - A| / |A - X| each within its range (a NaN ratio
/// fails) gives +1 when D is a swing low and -1 when it is a swing high; else 0.
[[nodiscard]] inline double harmonic_signal(const SwingDetector<5>& s, RatioRange r1, RatioRange r2, RatioRange r3,
                                            RatioRange r4) noexcept {
  const double x = s[0].price;
  const double a = s[1].price;
  const double b = s[2].price;
  const double c = s[3].price;
  const double d = s[4].price;
  const double xa = std::fabs(a - x);
  const double ab = std::fabs(b - a);
  const double bc = std::fabs(c - b);
  const bool holds = within(ab / xa, r1.lo, r1.hi) && within(bc / ab, r2.lo, r2.hi) &&
                     within(std::fabs(d - c) / bc, r3.lo, r3.hi) && within(std::fabs(d - a) / xa, r4.lo, r4.hi);
  return holds ? by_newest_pivot(s[4].kind) : 0.0;
}

/// The signal of a pattern detector holding K pivots: nothing until K pivots are held; then 0 on a
/// bar that confirmed no pivot, else the rule's answer for the pivots held.
template <std::size_t K, class Rule>
[[nodiscard]] std::optional<double> pattern_signal(SwingDetector<K>& swing, const Candle& c, Rule rule) {
  const bool confirmed = swing.update(c.high, c.low);
  if (swing.size() < K) return std::nullopt;
  if (!confirmed) return 0.0;
  return rule(swing);
}

}  // namespace sorvik::chart

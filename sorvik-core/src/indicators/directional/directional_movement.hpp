#pragma once

// The directional movement core shared by Adx, Adxr, Dx, PlusDi, MinusDi, PlusDm and MinusDm, and
// the small numeric pieces of the directional family.

#include <cmath>
#include <cstdint>
#include <limits>

#include "indicators/bands/true_range.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::directional {

/// The re-add interval of running sums that are never recomputed from scratch.
inline constexpr std::uint64_t NO_READD = std::numeric_limits<std::uint64_t>::max();

/// Wilder's smoothing in sum form: x + (sum - sum / n), the division and subtraction first.
[[nodiscard]] inline double wilder_sum_step(double sum, double x, double n) noexcept {
  return x + (sum - sum / n);
}

/// (part * 100) / total, or 0 when the total is zero.
[[nodiscard]] inline double directional_index(double part, double total) noexcept {
  return total == 0.0 ? 0.0 : (part * 100.0) / total;
}

/// |+DI - -DI| * 100 / (+DI + -DI), or 0 when +DI + -DI is zero.
[[nodiscard]] inline double directional_movement_index(double plus_di, double minus_di) noexcept {
  const double total = plus_di + minus_di;
  return total == 0.0 ? 0.0 : (std::fabs(plus_di - minus_di) * 100.0) / total;
}

/// Wilder's directional movement over period n. The first bar is only stored; every later bar gives
/// +DM, -DM and the true range, which are summed over the first n of those bars and afterwards
/// smoothed in sum form (x + (S - S / n)). The smoothed sums exist from the (n + 1)-th bar on.
class DirectionalMovement {
 public:
  /// Precondition: n passed `check_period`.
  explicit DirectionalMovement(std::uint64_t n) noexcept : period_(n), n_(static_cast<double>(n)) {}

  /// Feeds one valid candle; answers whether the smoothed sums exist after it.
  bool update(const Candle& c) noexcept {
    const bool first = !true_range_.started();
    const double tr = true_range_.next(c);
    if (first) {
      keep(c);
      return false;
    }
    const double up = c.high - prev_high_;
    const double down = prev_low_ - c.low;
    const double plus_dm = (up > down && up > 0.0) ? up : 0.0;
    const double minus_dm = (down > up && down > 0.0) ? down : 0.0;
    keep(c);
    if (seeded_ < period_) {
      tr_ = tr + tr_;
      plus_ = plus_dm + plus_;
      minus_ = minus_dm + minus_;
      return ++seeded_ == period_;
    }
    tr_ = wilder_sum_step(tr_, tr, n_);
    plus_ = wilder_sum_step(plus_, plus_dm, n_);
    minus_ = wilder_sum_step(minus_, minus_dm, n_);
    return true;
  }

  [[nodiscard]] std::uint64_t period() const noexcept { return period_; }
  /// The smoothed sums (meaningful once `update` answered true).
  [[nodiscard]] double tr_sum() const noexcept { return tr_; }
  [[nodiscard]] double plus_dm_sum() const noexcept { return plus_; }
  [[nodiscard]] double minus_dm_sum() const noexcept { return minus_; }
  /// (+DM sum * 100) / tr sum and (-DM sum * 100) / tr sum, 0 when the tr sum is zero.
  [[nodiscard]] double plus_di() const noexcept { return directional_index(plus_, tr_); }
  [[nodiscard]] double minus_di() const noexcept { return directional_index(minus_, tr_); }

 private:
  void keep(const Candle& c) noexcept {
    prev_high_ = c.high;
    prev_low_ = c.low;
  }

  std::uint64_t period_;
  double n_;
  std::uint64_t seeded_ = 0;
  TrueRangeCore true_range_;
  double prev_high_ = 0.0;
  double prev_low_ = 0.0;
  double tr_ = 0.0;
  double plus_ = 0.0;
  double minus_ = 0.0;
};

}  // namespace sorvik::directional

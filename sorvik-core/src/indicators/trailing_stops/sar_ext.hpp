#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Extended parabolic SAR with its own start value, reversal offset and separate long and short
/// acceleration settings. The first bar is only stored. The second picks the side (from the sign of
/// the start value, or from the bar's moves when it is 0), places the SAR at |start| or at the
/// previous low (long) / high (short), and applies the reversal test. Each later bar moves the SAR
/// towards the extreme, keeps it outside the previous bar and the bar two back (absent on the third
/// bar), then tests for a reversal, where the SAR jumps to the ended trend's extreme widened by the
/// offset.
class SarExt {
 public:
  /// Checks: offset finite and >= 0 and start finite; long init, step, max finite and > 0; long
  /// init <= long max; short init, step, max finite and > 0; short init <= short max.
  static Expected<SarExt> create(double start, double offset, double long_init, double long_step,
                                 double long_max, double short_init, double short_step, double short_max);
  /// Precondition: `create`'s checks passed.
  SarExt(double start, double offset, double long_init, double long_step, double long_max, double short_init,
         double short_step, double short_max) noexcept
      : start_(start),
        offset_(offset),
        long_init_(long_init),
        long_step_(long_step),
        long_max_(long_max),
        short_init_(short_init),
        short_step_(short_step),
        short_max_(short_max) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (bars_ == 0) {
      bars_ = 1;
      prev_high_ = c.high;
      prev_low_ = c.low;
      return std::nullopt;
    }
    if (bars_ == 1) {
      if (start_ > 0.0) {
        long_ = true;
      } else if (start_ < 0.0) {
        long_ = false;
      } else {
        const double down = prev_low_ - c.low;
        const double up = c.high - prev_high_;
        long_ = !(down > up && down > 0.0);
      }
      if (start_ != 0.0) {
        sar_ = std::fabs(start_);
      } else {
        sar_ = long_ ? prev_low_ : prev_high_;
      }
      extreme_ = long_ ? c.high : c.low;
      acceleration_ = long_ ? long_init_ : short_init_;
    } else {
      sar_ = (extreme_ - sar_) * acceleration_ + sar_;
      // fmin / fmax ignore a NaN comparand (the bar two back on the third bar).
      if (long_) {
        sar_ = std::fmin(std::fmin(sar_, prev_low_), prev2_low_);
      } else {
        sar_ = std::fmax(std::fmax(sar_, prev_high_), prev2_high_);
      }
    }
    if (long_) {
      if (c.low <= sar_) {
        long_ = false;
        const double w = std::fmax(std::fmax(extreme_, prev_high_), c.high);
        sar_ = std::fabs(w) * offset_ + w;
        extreme_ = c.low;
        acceleration_ = short_init_;
      } else if (c.high > extreme_) {
        extreme_ = c.high;
        acceleration_ = std::fmin(acceleration_ + long_step_, long_max_);
      }
    } else {
      if (c.high >= sar_) {
        long_ = true;
        const double w = std::fmin(std::fmin(extreme_, prev_low_), c.low);
        sar_ = w - std::fabs(w) * offset_;
        extreme_ = c.high;
        acceleration_ = long_init_;
      } else if (c.low < extreme_) {
        extreme_ = c.low;
        acceleration_ = std::fmin(acceleration_ + short_step_, short_max_);
      }
    }
    // The bar two back exists from the fourth bar on: the first bar only seeds the second.
    if (bars_ == 2) {
      prev2_high_ = prev_high_;
      prev2_low_ = prev_low_;
    }
    bars_ = 2;
    prev_high_ = c.high;
    prev_low_ = c.low;
    return sar_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

  double start_;
  double offset_;
  double long_init_;
  double long_step_;
  double long_max_;
  double short_init_;
  double short_step_;
  double short_max_;
  double acceleration_ = 0.0;
  double sar_ = 0.0;
  double extreme_ = 0.0;
  double prev_high_ = 0.0;
  double prev_low_ = 0.0;
  double prev2_high_ = NaN;
  double prev2_low_ = NaN;
  std::uint8_t bars_ = 0;  // 0, 1, then 2 for every bar from the second on
  bool long_ = true;
};

}  // namespace sorvik

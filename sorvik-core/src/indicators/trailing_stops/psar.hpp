#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Parabolic SAR. The first bar is only stored; the second picks the initial trend (short when the
/// down move exceeds the up move and is positive, else long) with the SAR at the previous low (long)
/// or high (short) and the extreme at the bar's high (long) or low (short). Later bars move the SAR
/// towards the extreme by the acceleration factor, keep it outside the previous two bars' range, and
/// reverse when the bar touches it: the SAR jumps to the ended trend's extreme and af restarts.
class Psar {
 public:
  /// Checks: af_start, af_step, af_max each finite and > 0; then af_start <= af_max.
  static Expected<Psar> create(double af_start, double af_step, double af_max);
  /// Precondition: `create`'s checks passed.
  Psar(double af_start, double af_step, double af_max) noexcept
      : af_start_(af_start), af_step_(af_step), af_max_(af_max) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (bars_ == 0) {
      bars_ = 1;
      prev_high_ = c.high;
      prev_low_ = c.low;
      return std::nullopt;
    }
    if (bars_ == 1) {
      bars_ = 2;
      const double down = prev_low_ - c.low;
      const double up = c.high - prev_high_;
      long_ = !(down > up && down > 0.0);
      extreme_ = long_ ? c.high : c.low;
      sar_ = long_ ? prev_low_ : prev_high_;
      af_ = af_start_;
    } else {
      sar_ = (extreme_ - sar_) * af_ + sar_;
      if (long_) {
        sar_ = std::min(std::min(sar_, prev_low_), prev2_low_);
        if (c.low <= sar_) {
          long_ = false;
          sar_ = extreme_;
          extreme_ = c.low;
          af_ = af_start_;
        } else if (c.high > extreme_) {
          extreme_ = c.high;
          af_ = std::min(af_ + af_step_, af_max_);
        }
      } else {
        sar_ = std::max(std::max(sar_, prev_high_), prev2_high_);
        if (c.high >= sar_) {
          long_ = true;
          sar_ = extreme_;
          extreme_ = c.high;
          af_ = af_start_;
        } else if (c.low < extreme_) {
          extreme_ = c.low;
          af_ = std::min(af_ + af_step_, af_max_);
        }
      }
    }
    prev2_high_ = prev_high_;
    prev2_low_ = prev_low_;
    prev_high_ = c.high;
    prev_low_ = c.low;
    return sar_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  double af_start_;
  double af_step_;
  double af_max_;
  double af_ = 0.0;
  double sar_ = 0.0;
  double extreme_ = 0.0;
  double prev_high_ = 0.0;
  double prev_low_ = 0.0;
  double prev2_high_ = 0.0;
  double prev2_low_ = 0.0;
  std::uint8_t bars_ = 0;  // 0, 1, then 2 for every bar from the second on
  bool long_ = true;
};

}  // namespace sorvik

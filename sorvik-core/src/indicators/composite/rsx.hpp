#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Relative strength "RSX": the one-bar change and its magnitude each pass a cascade of three
/// smoothing stages (alpha = 3 / (n + 2), beta = 1 - alpha); a stage keeps a and b (from 0) and maps
/// v to a * 1.5 - b * 0.5 after a = v * alpha + a * beta and b = b * beta + alpha * a.
/// value = (C / M + 1) * 50 when the smoothed magnitude M is positive, else 50, limited to [0, 100].
/// The first close is only stored; values are yielded from the n-th change on.
class Rsx {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Rsx> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit Rsx(std::uint64_t period) noexcept
      : alpha_(3.0 / (static_cast<double>(period) + 2.0)), beta_(1.0 - alpha_), period_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    const double c = x - prev_;
    prev_ = x;
    double cv = c;
    double mv = std::fabs(c);
    for (Stage& s : change_) cv = s.next(cv, alpha_, beta_);
    for (Stage& s : magnitude_) mv = s.next(mv, alpha_, beta_);
    if (changes_ < period_) ++changes_;
    if (changes_ < period_) return std::nullopt;
    double value = 50.0;
    if (mv > 0.0) value = (cv / mv + 1.0) * 50.0;
    if (value < 0.0) value = 0.0;
    if (value > 100.0) value = 100.0;
    return value;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(period_, 1); }

 private:
  struct Stage {
    double a = 0.0;
    double b = 0.0;
    double next(double v, double alpha, double beta) noexcept {
      a = v * alpha + a * beta;
      b = b * beta + alpha * a;
      return a * 1.5 - b * 0.5;
    }
  };

  double alpha_;
  double beta_;
  std::uint64_t period_;
  std::uint64_t changes_ = 0;
  Stage change_[3];
  Stage magnitude_[3];
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

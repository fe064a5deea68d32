#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Linearly weighted moving average: weights 1..n from oldest to newest over the denominator
/// (1 + n) * n * 0.5. A plain running sum S of the window is kept; the numerator is computed from
/// scratch at the n-th close and then updated as n * x + (numerator - S), after which
/// S = (S - dropped) + x. Both are recomputed from scratch every 16 * n pushes.
class Wma {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Wma> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Wma(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)),
        n_(static_cast<double>(period)),
        denominator_((1.0 + static_cast<double>(period)) * static_cast<double>(period) * 0.5),
        readd_(sat_mul(16, period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    if (window_.full()) [[likely]] {
      const double o = window_.oldest();
      window_.push_discard(x);
      numerator_ = n_ * x + (numerator_ - sum_);
      sum_ = (sum_ - o) + x;
    } else {
      window_.push_discard(x);
      sum_ = x + sum_;
      if (window_.full()) numerator_ = weighted_sum();
    }
    if (++pushes_ == readd_) {
      sum_ = window_sum(window_);
      numerator_ = weighted_sum();
      pushes_ = 0;
    }
    if (!window_.full()) return std::nullopt;
    return numerator_ / denominator_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }
  [[nodiscard]] bool ready() const noexcept { return window_.full(); }

 private:
  /// Left-to-right sum of (i + 1) * x_i, oldest first.
  [[nodiscard]] double weighted_sum() const noexcept {
    double s = 0.0;
    double w = 0.0;
    window_.for_each([&](double v) {
      w = w + 1.0;
      s = s + w * v;
    });
    return s;
  }

  Window<double> window_;
  double n_;
  double denominator_;
  double sum_ = 0.0;
  double numerator_ = 0.0;
  std::uint64_t pushes_ = 0;
  std::uint64_t readd_;
};

}  // namespace sorvik

#pragma once

// The anchored moment accumulator: the rolling power sums of a window, shifted by an anchor K to keep
// them small. The anchor is the first value, then the window mean, refreshed every `period` pushes
// (counted from construction), when every sum is recomputed from the window. Embed it wherever a
// rolling mean, variance or higher moment is needed.

#include <cstddef>
#include <cstdint>

#include "sorvik/blocks.hpp"

namespace sorvik {

/// max(v, 0) that also maps a NaN to 0.
[[nodiscard]] inline double non_negative(double v) noexcept { return v > 0.0 ? v : 0.0; }

/// Rolling sums S1 = Σ(x-K), S2 = Σ(x-K)² and, with Order 3 or 4, S3 = Σ(x-K)³ and S4 = Σ(x-K)⁴.
template <int Order>
class AnchoredMoments {
  static_assert(Order >= 2 && Order <= 4);

 public:
  /// Precondition: 1 <= period <= MAX_PERIOD.
  explicit AnchoredMoments(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)), period_(period) {}

  /// Adds a finite value (the caller filters non-finite input).
  void push(double x) {
    if (window_.full()) remove(window_.oldest() - k_);
    window_.push_discard(x);
    if (!anchored_) {
      k_ = x;
      anchored_ = true;
    }
    add(x - k_);
    if (++pushes_ == period_) reanchor();
  }

  [[nodiscard]] bool full() const noexcept { return window_.full(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return period_; }
  [[nodiscard]] const Window<double>& window() const noexcept { return window_; }
  [[nodiscard]] double anchor() const noexcept { return k_; }
  [[nodiscard]] double s1() const noexcept { return s1_; }
  [[nodiscard]] double s2() const noexcept { return s2_; }
  [[nodiscard]] double s3() const noexcept { return s3_; }
  [[nodiscard]] double s4() const noexcept { return s4_; }

  // Once full, with n = period, a = S1/n and b = S2/n:
  /// a = S1 / n.
  [[nodiscard]] double shifted_mean() const noexcept { return s1_ / n_; }
  /// K + a.
  [[nodiscard]] double mean() const noexcept { return k_ + shifted_mean(); }
  /// Population variance max(b - a², 0).
  [[nodiscard]] double variance() const noexcept {
    const double a = shifted_mean();
    const double b = s2_ / n_;
    return non_negative(b - a * a);
  }

 private:
  void add(double d) noexcept {
    s1_ = s1_ + d;
    const double d2 = d * d;
    s2_ = s2_ + d2;
    if constexpr (Order >= 3) s3_ = s3_ + d2 * d;
    if constexpr (Order >= 4) s4_ = s4_ + d2 * d2;
  }
  void remove(double d) noexcept {
    s1_ = s1_ - d;
    const double d2 = d * d;
    s2_ = s2_ - d2;
    if constexpr (Order >= 3) s3_ = s3_ - d2 * d;
    if constexpr (Order >= 4) s4_ = s4_ - d2 * d2;
  }
  void reanchor() noexcept {
    k_ = window_sum(window_) / static_cast<double>(window_.size());
    s1_ = s2_ = s3_ = s4_ = 0.0;
    window_.for_each([&](double v) { add(v - k_); });
    pushes_ = 0;
  }

  Window<double> window_;
  double n_;
  std::uint64_t period_;
  double k_ = 0.0;
  bool anchored_ = false;
  double s1_ = 0.0;
  double s2_ = 0.0;
  double s3_ = 0.0;
  double s4_ = 0.0;
  std::uint64_t pushes_ = 0;
};

}  // namespace sorvik

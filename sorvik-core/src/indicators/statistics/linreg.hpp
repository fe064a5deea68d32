#pragma once

// The regression accumulator: a least-squares line through the last n values against their window
// positions (0 = oldest). The sums Sy = Σ(y-K), Sxy = Σ i·(y_i-K) and Syy = Σ(y-K)² are kept
// incrementally around an anchor K (the first value, then the window mean, refreshed every n pushes
// counted from construction, when the sums are recomputed from the window). Embed it wherever a
// rolling linear fit is needed.

#include <cstddef>
#include <cstdint>

#include "sorvik/blocks.hpp"

namespace sorvik {

/// The constants of a fit over positions 0..n-1: Sx = Σi and D = n·Σi² - Sx², computed as
/// b = (n-1)·n, Sx = b·0.5, D = ((2n-1)·b/6)·n - (b·0.5)².
struct LinRegConstants {
  double n;
  double sx;
  double d;

  [[nodiscard]] static LinRegConstants of(std::uint64_t period) noexcept {
    const double n = static_cast<double>(period);
    const double b = (n - 1.0) * n;
    const double half_b = b * 0.5;
    return {n, half_b, (2.0 * n - 1.0) * b / 6.0 * n - half_b * half_b};
  }
};

class LinRegAccumulator {
 public:
  /// Precondition: 2 <= period <= MAX_PERIOD.
  explicit LinRegAccumulator(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)), c_(LinRegConstants::of(period)), period_(period) {}

  /// Adds a finite value (the caller filters non-finite input).
  void push(double y) {
    if (window_.full()) {
      const double d0 = window_.oldest() - k_;
      sxy_ = sxy_ - sy_ + d0;  // every remaining value moves one position down
      sy_ = sy_ - d0;
      syy_ = syy_ - d0 * d0;
    }
    window_.push_discard(y);
    const double j = static_cast<double>(window_.size() - 1);
    if (!anchored_) {
      k_ = y;
      anchored_ = true;
    }
    const double d = y - k_;
    sy_ = sy_ + d;
    sxy_ = sxy_ + j * d;
    syy_ = syy_ + d * d;
    if (++pushes_ == period_) reanchor();
  }

  [[nodiscard]] bool full() const noexcept { return window_.full(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return period_; }
  [[nodiscard]] const Window<double>& window() const noexcept { return window_; }
  [[nodiscard]] const LinRegConstants& constants() const noexcept { return c_; }
  [[nodiscard]] double anchor() const noexcept { return k_; }
  [[nodiscard]] double sy() const noexcept { return sy_; }
  [[nodiscard]] double sxy() const noexcept { return sxy_; }
  [[nodiscard]] double syy() const noexcept { return syy_; }

  // Once full:
  /// Slope per bar: (n·Sxy - Sx·Sy) / D.
  [[nodiscard]] double slope() const noexcept { return (c_.n * sxy_ - c_.sx * sy_) / c_.d; }
  /// Fitted value at the oldest bar for a given slope b: K + (Sy - Sx·b) / n.
  [[nodiscard]] double intercept(double b) const noexcept { return k_ + (sy_ - c_.sx * b) / c_.n; }
  [[nodiscard]] double intercept() const noexcept { return intercept(slope()); }
  /// Fitted value at position p (n - 1 is the newest bar, n one bar beyond): a0 + b·p.
  [[nodiscard]] double fitted_at(double p) const noexcept {
    const double b = slope();
    return intercept(b) + b * p;
  }

 private:
  void reanchor() noexcept {
    k_ = window_sum(window_) / static_cast<double>(window_.size());
    sy_ = sxy_ = syy_ = 0.0;
    double i = 0.0;
    window_.for_each([&](double v) {
      const double d = v - k_;
      sy_ = sy_ + d;
      sxy_ = sxy_ + i * d;
      syy_ = syy_ + d * d;
      i = i + 1.0;
    });
    pushes_ = 0;
  }

  Window<double> window_;
  LinRegConstants c_;
  std::uint64_t period_;
  double k_ = 0.0;
  bool anchored_ = false;
  double sy_ = 0.0;
  double sxy_ = 0.0;
  double syy_ = 0.0;
  std::uint64_t pushes_ = 0;
};

}  // namespace sorvik

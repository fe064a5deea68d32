#pragma once

// The shifted first and second sums of a window, for the stops that need the raw sums (a sample
// deviation) rather than the population statistics `BollingerCore` answers. The update and
// re-centring orders are the Bollinger core's.

#include <cstddef>
#include <cstdint>

#include "sorvik/blocks.hpp"

namespace sorvik::trailing {

/// With K the first value ever seen, S1 = sum(x - K) and S2 = sum((x - K)^2) over the last n values.
/// A push into a full window subtracts the dropped pair first, then adds the new one. Every n pushes
/// K moves to the window mean (left-to-right sum / length) and both sums are recomputed about it,
/// oldest first.
class ShiftedSums {
 public:
  /// Precondition: `check_period(period)` passed.
  explicit ShiftedSums(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)), period_(period) {}

  void push(double x) {
    if (!started_) {
      shift_ = x;
      started_ = true;
    }
    const double dx = x - shift_;
    if (auto dropped = window_.push(x)) {
      const double dox = *dropped - shift_;
      s1_ = (s1_ - dox) + dx;
      s2_ = (s2_ - dox * dox) + dx * dx;
    } else {
      s1_ = s1_ + dx;
      s2_ = s2_ + dx * dx;
    }
    if (++count_ == period_) {
      recenter();
      count_ = 0;
    }
  }

  [[nodiscard]] bool full() const noexcept { return window_.full(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return period_; }
  [[nodiscard]] double shift() const noexcept { return shift_; }
  [[nodiscard]] double s1() const noexcept { return s1_; }
  [[nodiscard]] double s2() const noexcept { return s2_; }

 private:
  void recenter() noexcept {
    shift_ = window_sum(window_) / static_cast<double>(window_.size());
    double s1 = 0.0;
    double s2 = 0.0;
    window_.for_each([&](double x) {
      const double dx = x - shift_;
      s1 = s1 + dx;
      s2 = s2 + dx * dx;
    });
    s1_ = s1;
    s2_ = s2;
  }

  Window<double> window_;
  std::uint64_t period_;
  double shift_ = 0.0;
  double s1_ = 0.0;
  double s2_ = 0.0;
  std::uint64_t count_ = 0;
  bool started_ = false;
};

}  // namespace sorvik::trailing

#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/band_helpers.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Mean and population deviation of a window.
struct BollingerStats {
  double mean;
  double variance;  // S2 / n - d * d, may come out slightly negative
  double stddev;    // sqrt(max(variance, 0))
};

/// The rolling mean and population standard deviation of the last n values, kept as shifted sums:
/// with K the first value ever seen, S1 = sum(x - K) and S2 = sum((x - K)^2) over the window. A push
/// into a full window subtracts the dropped pair first, then adds the new one. Every n pushes K
/// moves to the window mean (left-to-right sum / length) and both sums are recomputed about it,
/// oldest first. Shared by the Bollinger types, the squeeze and the stops built on Bollinger bands.
class BollingerCore {
 public:
  /// Precondition: `check_period(period)` passed.
  explicit BollingerCore(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)), period_(period), n_(static_cast<double>(period)) {}

  /// Pushes a finite value.
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
  /// d = S1 / n; mean = K + d; variance = S2 / n - d * d (population). Meaningful once full.
  [[nodiscard]] BollingerStats stats() const noexcept {
    const double d = s1_ / n_;
    const double variance = s2_ / n_ - d * d;
    return {shift_ + d, variance, std::sqrt(std::max(variance, 0.0))};
  }
  [[nodiscard]] std::uint64_t period() const noexcept { return period_; }
  /// The last n values, oldest first.
  [[nodiscard]] const Window<double>& window() const noexcept { return window_; }

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
  double n_;
  double shift_ = 0.0;
  double s1_ = 0.0;
  double s2_ = 0.0;
  std::uint64_t count_ = 0;
  bool started_ = false;
};

/// Bollinger bands: mean +- k * population deviation of the last n closes; outputs "upper",
/// "middle", "lower", "stddev".
class BollingerBands {
 public:
  static constexpr std::array<std::string_view, 4> output_names{"upper", "middle", "lower", "stddev"};
  /// Checks: the period (0, then MAX_PERIOD), then k (finite and > 0).
  static Expected<BollingerBands> create(std::uint64_t period, double k);
  /// The shared check of the Bollinger types: the period, then k.
  static std::optional<IndicatorError> check(std::uint64_t period, double k) noexcept {
    if (auto err = check_period(period)) return err;
    return bands::check_multiplier(k);
  }
  /// Precondition: `check(period, k)` passed.
  BollingerBands(std::uint64_t period, double k) noexcept : core_(period), k_(k) {}

  std::optional<std::array<double, 4>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    core_.push(x);
    if (!core_.full()) return std::nullopt;
    const BollingerStats s = core_.stats();
    return std::array<double, 4>{s.mean + k_ * s.stddev, s.mean, s.mean - k_ * s.stddev, s.stddev};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return core_.period(); }

 private:
  BollingerCore core_;
  double k_;
};

}  // namespace sorvik

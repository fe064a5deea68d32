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

/// The rolling mean and population standard deviation of the last n values, from the anchored sums
/// S1 = sum(x - K) and S2 = sum((x - K)^2) of the window (K the first value, then the window mean every
/// n pushes). Shared by the Bollinger types, the squeeze and the stops built on Bollinger bands.
class BollingerCore {
 public:
  /// Precondition: `check_period(period)` passed.
  explicit BollingerCore(std::uint64_t period) noexcept : sums_(period), n_(static_cast<double>(period)) {}

  /// Pushes a finite value.
  void push(double x) { sums_.push(x); }

  [[nodiscard]] bool full() const noexcept { return sums_.full(); }
  /// d = S1 / n; mean = K + d; variance = S2 / n - d * d (population). Meaningful once full.
  [[nodiscard]] BollingerStats stats() const noexcept {
    const double d = sums_.s1() / n_;
    const double variance = sums_.s2() / n_ - d * d;
    return {sums_.anchor() + d, variance, std::sqrt(std::max(variance, 0.0))};
  }
  [[nodiscard]] std::uint64_t period() const noexcept { return sums_.period(); }
  /// The last n values, oldest first.
  [[nodiscard]] const Window<double>& window() const noexcept { return sums_.window(); }

 private:
  AnchoredMoments<2> sums_;
  double n_;
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

#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD DeMarker: from the second candle on, DeMax = max(H - H[1], 0) and DeMin = max(L[1] - L, 0)
/// enter two windows of n. With A = (sum of DeMax) / n and B = (sum of DeMin) / n, each sum added
/// oldest first from -0.0, the value is A / (B + A), or 0.5 when B + A is exactly zero. The sums are
/// formed afresh on every bar, so an update costs O(n).
class TdDeMarker {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<TdDeMarker> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit TdDeMarker(std::uint64_t period) noexcept
      : de_max_(static_cast<std::size_t>(period)),
        de_min_(static_cast<std::size_t>(period)),
        n_(static_cast<double>(period)) {}

  std::optional<double> update(const Candle& c) {
    if (!has_prev_) {
      prev_high_ = c.high;
      prev_low_ = c.low;
      has_prev_ = true;
      return std::nullopt;
    }
    de_max_.push_discard(std::max(c.high - prev_high_, 0.0));
    de_min_.push_discard(std::max(prev_low_ - c.low, 0.0));
    prev_high_ = c.high;
    prev_low_ = c.low;
    if (!de_max_.full()) return std::nullopt;
    const double a = sum_from_negative_zero(de_max_) / n_;
    const double b = sum_from_negative_zero(de_min_) / n_;
    const double d = b + a;
    if (d == 0.0) return 0.5;
    return a / d;
  }

  /// period + 1, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(de_max_.capacity(), 1); }

 private:
  static double sum_from_negative_zero(const Window<double>& w) noexcept {
    double s = -0.0;
    w.for_each([&](double x) { s = s + x; });
    return s;
  }

  Window<double> de_max_;
  Window<double> de_min_;
  double n_;
  double prev_high_ = 0.0;
  double prev_low_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

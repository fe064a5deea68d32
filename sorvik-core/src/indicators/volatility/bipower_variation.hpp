#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/log_return.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Bipower variation: π/2 times the sum of the n - 1 absolute products of adjacent log returns among
/// the last n. Each return adds |previous · r| to a running sum; when the window of returns
/// overflows, the product of its two oldest returns is subtracted. After every n additions on a
/// full window the sum is recomputed from the window's adjacent pairs, oldest first. Closes that are
/// not positive are skipped.
class BipowerVariation {
 public:
  /// Checks: the period (0, then MAX_PERIOD), then at least 2.
  static Expected<BipowerVariation> create(std::uint64_t period);
  /// Precondition: `create`'s checks passed.
  explicit BipowerVariation(std::uint64_t period) noexcept : returns_(1), window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    const auto r = returns_.update(x);
    if (!r) return std::nullopt;
    if (!window_.empty()) sum_ = sum_ + std::fabs(window_.newest() * *r);
    if (window_.full()) {
      // The oldest return leaves: its product with the second oldest goes with it.
      const double dropped = std::fabs(window_[0] * window_[1]);
      window_.push_discard(*r);
      sum_ = sum_ - dropped;
    } else {
      window_.push_discard(*r);
    }
    if (!window_.full()) return std::nullopt;
    if (++additions_ == window_.capacity()) {
      recompute();
      additions_ = 0;
    }
    return std::max(sum_, 0.0) * 1.5707963267948966;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(window_.capacity(), 1); }

 private:
  void recompute() noexcept {
    double s = 0.0;
    for (std::size_t i = 0; i + 1 < window_.size(); ++i) s = s + std::fabs(window_[i] * window_[i + 1]);
    sum_ = s;
  }

  LogReturn returns_;
  Window<double> window_;
  double sum_ = 0.0;
  std::uint64_t additions_ = 0;
};

}  // namespace sorvik

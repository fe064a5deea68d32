#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Reflex: the super smoother of period n/2 of the close; over its newest n + 1 values, the mean
/// deviation of the line through the oldest and newest value from the values, normalised by its
/// running root mean square (ms = 0.96 ms + 0.04 sum^2).
class Reflex {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Reflex> create(std::uint64_t period);
  explicit Reflex(std::uint64_t period)
      : n_(period), ss_(static_cast<double>(period) * 0.5), f_(static_cast<std::size_t>(period) + 1) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    f_.push_discard(ss_.update(x));
    if (!f_.full()) return std::nullopt;
    const double n = static_cast<double>(n_);
    const double f0 = f_.newest();
    const double slope = (f_.oldest() - f0) / n;
    double sum = 0.0;
    // i bars back, added oldest first (i = n down to 1).
    for (std::uint64_t i = n_; i >= 1; --i) {
      sum = sum + (f0 + slope * static_cast<double>(i) - f_.back(static_cast<std::size_t>(i))) / n;
    }
    ms_ = 0.96 * ms_ + 0.04 * (sum * sum);
    if (!(ms_ > 0.0)) return 0.0;
    return sum / std::sqrt(ms_);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(n_, 1); }

 private:
  std::uint64_t n_;
  cycles::SuperSmootherStage ss_;
  Window<double> f_;
  double ms_ = 0.0;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Relative strength index. The first close is only stored; every later close gives a gain and a
/// loss (the positive and negative parts of the one-bar change). Both are averaged by the Wilder
/// step, reciprocal form (k = n - 1, m = 1 / n), seeded with the mean of the first n of them.
/// Value = (avg_gain * 100) / (avg_gain + avg_loss), or 50 when that sum is zero.
class Rsi {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Rsi> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Rsi(std::uint64_t period) noexcept : gains_(period), losses_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    const double d = x - prev_;
    prev_ = x;
    const auto g = gains_.update(d > 0.0 ? d : 0.0);
    const auto l = losses_.update(d < 0.0 ? -d : 0.0);
    if (!g) return std::nullopt;
    const double total = *g + *l;
    if (total == 0.0) return 50.0;
    return (*g * 100.0) / total;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(gains_.period(), 1); }
  [[nodiscard]] bool ready() const noexcept { return gains_.ready(); }

 private:
  WilderReciprocalStage gains_;
  WilderReciprocalStage losses_;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

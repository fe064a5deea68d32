#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/quantile.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Tail ratio of the last n returns: upper = quantile 0.95 and lower = quantile 0.05 of the sorted
/// window (linear interpolation); upper / |lower|, 0 when lower is 0.
class TailRatio {
 public:
  static Expected<TailRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit TailRatio(std::uint64_t period) : window_(period) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push(r);
    if (!window_.full()) return std::nullopt;
    const double upper = sorted_quantile(window_.sorted(), 0.95);
    lower_ = sorted_quantile(window_.sorted(), 0.05);
    if (lower_ == 0.0) return 0.0;
    return upper / std::fabs(lower_);
  }

  /// The lower quantile of the last update that yielded a value.
  [[nodiscard]] double lower() const noexcept { return lower_; }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
  double lower_ = 0.0;
};

}  // namespace sorvik

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Dumpling top over the last n closes, the mirror of the frying-pan bottom: -1 when the close is
/// below the oldest close and below the highest close, and that highest close (its first occurrence,
/// position t from the oldest) lies in the middle of the window, n/4 <= t < n - n/4; else 0.
class DumplingTop {
 public:
  /// Checks: period >= 5, then MAX_PERIOD.
  static Expected<DumplingTop> create(std::uint64_t period);
  explicit DumplingTop(std::uint64_t period) noexcept : closes_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    closes_.push_discard(c.close);
    if (!closes_.full()) return std::nullopt;
    const std::size_t n = closes_.size();
    std::size_t t = 0;
    for (std::size_t i = 1; i < n; ++i) {
      if (closes_[i] > closes_[t]) t = i;
    }
    const bool rounded = n / 4 <= t && t < n - n / 4;
    return c.close < closes_.oldest() && rounded && c.close < closes_[t] ? -1.0 : 0.0;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return closes_.capacity(); }

 private:
  Window<double> closes_;
};

}  // namespace sorvik

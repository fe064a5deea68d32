#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Sum of squared distances of the two series normalised by the oldest pair (x0, y0) of the last n:
/// Σ(x_i/x0 - y_i/y0)² oldest first, or 0 when x0 or y0 is zero. O(n) per update.
class DistanceSsd {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<DistanceSsd> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit DistanceSsd(std::uint64_t period) noexcept : pairs_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    pairs_.push_discard(pairs::XY{p.x, p.y});
    if (!pairs_.full()) return std::nullopt;
    const pairs::XY first = pairs_.oldest();
    if (first.x == 0.0 || first.y == 0.0) return 0.0;
    double sum = 0.0;
    pairs_.for_each([&](const pairs::XY& q) {
      const double d = q.x / first.x - q.y / first.y;
      sum = sum + d * d;
    });
    return sum;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return pairs_.capacity(); }

 private:
  Window<pairs::XY> pairs_;
};

}  // namespace sorvik

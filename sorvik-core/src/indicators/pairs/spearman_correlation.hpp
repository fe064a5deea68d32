#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Rank correlation of the close and the reference value over the last n pairs. Each series is
/// ranked on its own (1-based; a run of equal values shares the average of its first and last rank);
/// with the plain sums of the ranks over the window in order, the answer is the correlation rule of
/// the family (0 when either rank variance is zero). Re-ranks the whole window on every update.
class SpearmanCorrelation {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<SpearmanCorrelation> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit SpearmanCorrelation(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<pairs::XY> window_;
  // Working buffers, sized once the window is first full.
  std::vector<double> xs_;
  std::vector<double> ys_;
  std::vector<double> rx_;
  std::vector<double> ry_;
  std::vector<std::size_t> order_;
};

namespace pairs {
/// Average 1-based ranks of v[0..n) into rank[0..n); `order` is a working buffer.
void average_ranks(const std::vector<double>& v, std::vector<std::size_t>& order, std::vector<double>& rank);
}  // namespace pairs

}  // namespace sorvik

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

/// Variance ratio of the spread s = x - y over the last n spreads: with the n - 1 one-bar changes d,
/// their mean μ and variance V1 (divisor n - 1), and the n - q overlapping q-bar sums D_j with
/// variance Vq = Σ(D_j - μ·q)² / (n - q): Vq / (V1·q), or 1 when V1 is not positive. Each q-sum is
/// added afresh, so O(n·q) per update.
class VarianceRatio {
 public:
  /// Checks: q >= 2, period >= q + 2 (a zero included), then MAX_PERIOD on period.
  static Expected<VarianceRatio> create(std::uint64_t period, std::uint64_t q);
  /// Precondition: the parameters passed `create`'s checks.
  VarianceRatio(std::uint64_t period, std::uint64_t q) noexcept
      : spreads_(static_cast<std::size_t>(period)), q_(static_cast<std::size_t>(q)) {}

  std::optional<double> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return spreads_.capacity(); }

 private:
  Window<double> spreads_;
  std::size_t q_;
  std::vector<double> d_;  // working buffer, sized once the window is first full
};

}  // namespace sorvik

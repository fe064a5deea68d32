#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Hurst exponent of the spread s = x - y over the last n spreads, from the growth of the mean
/// squared displacement: for each lag τ = 1 ... ⌊n/4⌋, msd(τ) = Σ_{k=τ}^{n-1}(s_k - s_{k-τ})² / (n - τ);
/// the points (ln τ, ln msd) with msd > 0 are fitted by least squares and half the slope, clamped to
/// [0, 1], is the answer (0.5 with fewer than two points). O(n²) per update.
class SpreadHurst {
 public:
  /// Checks: period >= 8 (a zero included), then MAX_PERIOD.
  static Expected<SpreadHurst> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit SpreadHurst(std::uint64_t period) noexcept : spreads_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return spreads_.capacity(); }

 private:
  Window<double> spreads_;
  // Working buffers, sized once the window is first full.
  std::vector<double> s_;
  std::vector<std::pair<double, double>> points_;
};

}  // namespace sorvik

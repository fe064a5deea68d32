#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rescaled-range Hurst exponent of the last N closes, recomputed on every update: for k = 1..C the
/// oldest k·floor(N/k) values are cut into k chunks, each chunk's R/S (range of the cumulative
/// deviations over the standard deviation) is averaged over the chunks where both are non-zero (a flat
/// chunk counts as zero even when its rounded mean leaves a residue), and
/// the slope of ln(mean R/S) against ln(chunk size) is fitted by least squares and clamped to [0, 1];
/// 0.5 with fewer than two points (or points that all share one chunk size).
class HurstExponent {
 public:
  static Expected<HurstExponent> create(std::uint64_t period, std::uint64_t chunks);
  /// Precondition: the parameters passed `create`'s checks.
  HurstExponent(std::uint64_t period, std::uint64_t chunks)
      : window_(static_cast<std::size_t>(period)), chunks_(static_cast<std::size_t>(chunks)) {}

  std::optional<double> update(double x);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  std::size_t chunks_;
  std::vector<double> work_;  // the window, oldest first
};

}  // namespace sorvik

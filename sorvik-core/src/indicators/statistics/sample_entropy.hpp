#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Sample entropy of the last N closes with template length m and tolerance r = r_factor·σ (σ the
/// population standard deviation of the window), recomputed on every update, quadratic in N. B counts
/// the pairs of length-m templates starting in [0, N-m) that match within r (Chebyshev distance), A
/// those that still match at offset m. The answer is -ln(A/B), ln(B) when A = 0, 0 when B = 0 or σ = 0
/// (a flat window counts as σ = 0 even when its rounded mean leaves a residue).
class SampleEntropy {
 public:
  static Expected<SampleEntropy> create(std::uint64_t period, std::uint64_t m, double r_factor);
  /// Precondition: the parameters passed `create`'s checks.
  SampleEntropy(std::uint64_t period, std::uint64_t m, double r_factor)
      : window_(static_cast<std::size_t>(period)), m_(static_cast<std::size_t>(m)), r_factor_(r_factor) {}

  std::optional<double> update(double x);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  std::size_t m_;
  double r_factor_;
  std::vector<double> work_;  // the window, oldest first
};

}  // namespace sorvik

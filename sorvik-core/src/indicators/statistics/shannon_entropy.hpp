#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Entropy in bits of a `bins`-bin histogram of the last n closes between their minimum and maximum,
/// recomputed on every update: -Σ p_k·log2(p_k) over the non-empty bins in ascending order; 0 on a
/// flat window. The counts live in a table of `bins` entries when that is no larger than the window,
/// otherwise the bin numbers of the window are sorted (so storage never exceeds the values held).
class ShannonEntropy {
 public:
  static Expected<ShannonEntropy> create(std::uint64_t period, std::uint64_t bins);
  /// Precondition: the parameters passed `create`'s checks.
  ShannonEntropy(std::uint64_t period, std::uint64_t bins)
      : window_(static_cast<std::size_t>(period)), bins_(bins), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  std::uint64_t bins_;
  double n_;
  std::vector<std::uint64_t> scratch_;  // bin counts, or the sorted bin numbers
};

}  // namespace sorvik

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "indicators/cycles/filters.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Autocorrelation periodogram: the roofing filter (hp max_period, lp 10) of the close; the
/// 3-bar Pearson correlation of its newest values with each lag 3..M; a smoothed power spectrum
/// R[P] over the periods m..M from those correlations; the answer is the power-weighted mean period
/// of the periods at or above half the (decaying) peak power, or m when none qualifies.
/// O(M * (M - m)) per update.
class AutocorrelationPeriodogram {
 public:
  /// The cosine/sine table is precomputed while it has at most this many entries.
  static constexpr std::uint64_t MAX_TABLE = 65536;

  /// Checks: min_period zero, max_period zero, 4 <= min_period < max_period, max_period > 10,
  /// max_period MAX_PERIOD.
  static Expected<AutocorrelationPeriodogram> create(std::uint64_t min_period, std::uint64_t max_period);
  AutocorrelationPeriodogram(std::uint64_t min_period, std::uint64_t max_period);

  std::optional<double> update(double x);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(max_, 3); }

 private:
  std::uint64_t min_;
  std::uint64_t max_;
  cycles::RoofingStage roof_;
  Window<double> f_;          // the newest M + 3 filter values
  std::vector<double> corr_;  // by lag 0..M (allocated once M + 3 values were seen)
  std::vector<double> power_; // R[P] for P = m..M
  std::vector<double> cos_;   // cos(2 pi N / P), P-major, N = 3..M (when precomputed)
  std::vector<double> sin_;
  double max_power_ = 0.0;
};

}  // namespace sorvik

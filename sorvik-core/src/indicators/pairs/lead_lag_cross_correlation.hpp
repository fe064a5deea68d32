#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// The strongest lagged correlation of the close with the reference value. The last W + 2L pairs are
/// held (position 0 the oldest); corr(j) correlates the closes at positions L ... L + W - 1 with the
/// reference values at positions j ... j + W - 1 (offset L is lag 0) by two passes over the W values
/// (means, then the centred sums). Starting from lag 0, the offsets L - i and L + i for i = 1 ... L
/// replace the selection in turn when their magnitude is strictly greater. The answer, and its named
/// output "correlation", keeps the sign. O(L·W) per update.
class LeadLagCrossCorrelation {
 public:
  static constexpr std::array<std::string_view, 1> output_names{"correlation"};
  /// Checks: window >= 2 (a zero included), MAX_PERIOD on window, then max_lag >= 1.
  static Expected<LeadLagCrossCorrelation> create(std::uint64_t window, std::uint64_t max_lag);
  /// Precondition: the parameters passed `create`'s checks.
  LeadLagCrossCorrelation(std::uint64_t window, std::uint64_t max_lag) noexcept
      : w_(window), lag_(max_lag), pairs_(static_cast<std::size_t>(sat_add(window, sat_mul(2, max_lag)))) {}

  std::optional<std::array<double, 1>> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(w_, sat_mul(2, lag_)); }

 private:
  /// The correlation of the closes at L ... L + W - 1 with the reference values at j ... j + W - 1.
  [[nodiscard]] double corr(std::size_t j) const noexcept;

  std::uint64_t w_;
  std::uint64_t lag_;
  Window<pairs::XY> pairs_;
  // Working state of one full-window update.
  std::vector<double> xs_;
  std::vector<double> ys_;
  double mean_x_ = 0.0;  // mean of the closes at L ... L + W - 1
  double sxx_ = 0.0;     // their Σdx²
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "indicators/pairs/co_moments.hpp"
#include "indicators/pairs/least_squares.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Engle-Granger cointegration test over the last n pairs. The co-moment accumulator gives the hedge
/// ratio β (0 when the reference value does not vary) and c = mean x - mean y·β (mean x then); the
/// spreads s_i = x_i - (y_i·β + c) of the window, oldest first, enter an augmented Dickey-Fuller
/// regression without a constant: rows j = p + 1 ... n - 1, target Δs_j, regressors
/// [s_{j-1}, Δs_{j-1} ... Δs_{j-p}]. With γ the first coefficient and z0 the first diagonal element of
/// the inverse normal matrix, se² = RSS / (rows - k)·z0 and adf_stat = γ / √se² (0 when a solve
/// fails or se² is not positive). Outputs "hedge_ratio", "spread" (the newest), "adf_stat".
/// O(n·p² + p³) per update.
class Cointegration {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"hedge_ratio", "spread", "adf_stat"};
  /// Checks: period >= 2·adf_lags + 4, MAX_PERIOD on period, then at most `MAX_REGRESSORS`
  /// regressors (adf_lags <= 255).
  static Expected<Cointegration> create(std::uint64_t period, std::uint64_t adf_lags);
  /// Precondition: the parameters passed `create`'s checks.
  Cointegration(std::uint64_t period, std::uint64_t adf_lags) noexcept
      : acc_(period), lags_(static_cast<std::size_t>(adf_lags)), eq_(static_cast<std::size_t>(adf_lags) + 1) {}

  std::optional<std::array<double, 3>> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  /// The ADF statistic of the spreads in s_.
  double adf_stat();

  CoMoments acc_;
  std::size_t lags_;
  pairs::NormalEquations eq_;
  // Working buffers, sized once the window is first full.
  std::vector<double> s_;
  std::vector<double> ds_;
  std::vector<double> row_;
  std::vector<double> b_;
  std::vector<double> z_;
};

}  // namespace sorvik

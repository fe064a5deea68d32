#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "indicators/pairs/co_moments.hpp"
#include "indicators/pairs/least_squares.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// F statistic of the reference value's lags in a model of the close. Over the last N pairs, rows
/// t = L ... N - 1 (m = N - L of them) with target x_t: the restricted rows [1, x_{t-1} ... x_{t-L}],
/// the unrestricted rows append [y_{t-1} ... y_{t-L}]; both are fitted by least squares (the
/// restricted normal equations are the leading block of the unrestricted ones).
/// F = ((RSS_r - RSS_u) / L) / (RSS_u / (m - 2L - 1)); the answer is max(F, 0), and 0 when a fit
/// fails or F is not a number. O(N·L²) per update.
class GrangerCausality {
 public:
  /// Checks: lag >= 1, MAX_PERIOD on lag, period >= 3·lag + 2, MAX_PERIOD on period, then at most
  /// `MAX_REGRESSORS` regressors (lag <= 127).
  static Expected<GrangerCausality> create(std::uint64_t period, std::uint64_t lag);
  /// Precondition: the parameters passed `create`'s checks.
  GrangerCausality(std::uint64_t period, std::uint64_t lag) noexcept
      : pairs_(static_cast<std::size_t>(period)),
        lag_(static_cast<std::size_t>(lag)),
        eq_(static_cast<std::size_t>(2 * lag + 1)) {}

  std::optional<double> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return pairs_.capacity(); }

 private:
  /// The unrestricted row of target t into row_ (its first L + 1 entries are the restricted row).
  void build_row(std::size_t t) noexcept;

  Window<pairs::XY> pairs_;
  std::size_t lag_;
  pairs::NormalEquations eq_;
  // Working buffers, sized once the window is first full.
  std::vector<double> xs_;
  std::vector<double> ys_;
  std::vector<double> row_;
  std::vector<double> b_restricted_;
  std::vector<double> b_unrestricted_;
};

}  // namespace sorvik

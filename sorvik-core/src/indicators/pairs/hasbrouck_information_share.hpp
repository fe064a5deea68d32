#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Hasbrouck information share of the traded series, from a vector error-correction model of the
/// two series over the last n rows. From the third pair on, each pair adds the row
/// (Δx_t, Δy_t, z, Δx_{t-1}, Δy_{t-1}) with z = x_{t-1} - y_{t-1}. Δx_t and Δy_t are each fitted on
/// [1, z, Δx_{t-1}, Δy_{t-1}] (4×4 solve with partial pivoting), giving the error-correction
/// coefficients αx, αy and the residual covariance Ω (divisor n). The answer is the midpoint of the
/// two bounds IS1 = min(u²/R, 1) and IS2 = clamp(1 - w²/R, 0, 1), or 0.5 when a fit fails, a
/// residual variance or R is not positive, or the midpoint is not finite. O(n) per update.
class HasbrouckInformationShare {
 public:
  /// Checks: period >= 6 (a zero included), then MAX_PERIOD.
  static Expected<HasbrouckInformationShare> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit HasbrouckInformationShare(std::uint64_t period) noexcept : rows_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(PairInput p);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(rows_.capacity(), 2); }

 private:
  struct Row {
    double dx;       // Δx_t
    double dy;       // Δy_t
    double z;        // x_{t-1} - y_{t-1}
    double dx_prev;  // Δx_{t-1}
    double dy_prev;  // Δy_{t-1}
  };

  Window<Row> rows_;
  PairInput prev_;         // the previous pair
  PairInput prev2_;        // the pair before it
  std::uint64_t seen_ = 0;  // valid pairs, counted up to 2
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Hedge ratio and intercept of the close on the reference value, tracked by a Kalman filter with
/// state (β, α), observation row h = (y, 1), observation noise Ve and process noise Vw = δ / (1 - δ)
/// added to the diagonal of the covariance from the second pair on. The state and the covariance
/// start at 0, so the first pair answers β = α = 0 and the spread x. Outputs "hedge_ratio",
/// "intercept" and "spread" (the prediction error x - (y·β + α) before the correction).
class KalmanHedgeRatio {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"hedge_ratio", "intercept", "spread"};
  /// Checks: delta in (0, 1), then observation_var > 0 (both `InvalidParameter`).
  static Expected<KalmanHedgeRatio> create(double delta, double observation_var);
  /// Precondition: the parameters passed `create`'s checks.
  KalmanHedgeRatio(double delta, double observation_var) noexcept
      : vw_(delta / (1.0 - delta)), ve_(observation_var) {}

  std::optional<std::array<double, 3>> update(PairInput p) noexcept {
    if (!pairs::finite_pair(p)) return std::nullopt;
    const double y = p.y;
    if (started_) {
      p00_ = p00_ + vw_;
      p11_ = p11_ + vw_;
    }
    started_ = true;
    const double e = p.x - (y * beta_ + alpha_);
    const double h0 = p10_ + p00_ * y;
    const double h1 = p11_ + p01_ * y;
    const double s = y * h0 + h1 + ve_;
    const double k0 = (p01_ + p00_ * y) / s;
    const double k1 = (p11_ + p10_ * y) / s;
    beta_ = e * k0 + beta_;
    alpha_ = e * k1 + alpha_;
    p00_ = p00_ - k0 * h0;
    p01_ = p01_ - k0 * h1;
    p10_ = p10_ - k1 * h0;
    p11_ = p11_ - k1 * h1;
    return std::array<double, 3>{beta_, alpha_, e};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double vw_;
  double ve_;
  double beta_ = 0.0;
  double alpha_ = 0.0;
  double p00_ = 0.0;
  double p01_ = 0.0;
  double p10_ = 0.0;
  double p11_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik

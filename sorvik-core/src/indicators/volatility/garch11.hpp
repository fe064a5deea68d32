#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/log_return.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// GARCH(1,1) conditional volatility of log returns. The first return gets the unconditional
/// variance omega / ((1 - alpha) - beta); afterwards variance = beta · previous variance +
/// (omega + alpha · previous r²). value = sqrt(variance), per bar and not in percent. Closes that
/// are not positive are skipped.
class Garch11 {
 public:
  /// Checks, in order: all three finite; omega > 0; alpha and beta >= 0; alpha + beta < 1.
  static Expected<Garch11> create(double omega, double alpha, double beta);
  /// Precondition: `create`'s checks passed.
  Garch11(double omega, double alpha, double beta) noexcept
      : returns_(1), omega_(omega), alpha_(alpha), beta_(beta), variance_(omega / ((1.0 - alpha) - beta)) {}

  std::optional<double> update(double x) {
    const auto r = returns_.update(x);
    if (!r) return std::nullopt;
    if (started_) {
      variance_ = beta_ * variance_ + (omega_ + alpha_ * prev_r2_);
    } else {
      started_ = true;  // the first return keeps the unconditional variance
    }
    prev_r2_ = *r * *r;
    return std::sqrt(variance_);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  LogReturn returns_;
  double omega_;
  double alpha_;
  double beta_;
  double variance_;
  double prev_r2_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik

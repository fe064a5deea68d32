#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/log_return.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Exponentially weighted volatility of log returns: the variance starts at the first squared
/// return, then variance = (1 - lambda) · r · r + variance · lambda; value = sqrt(variance), per bar
/// and not in percent. Closes that are not positive are skipped.
class EwmaVolatility {
 public:
  /// Checks: lambda in the open interval (0, 1).
  static Expected<EwmaVolatility> create(double lambda);
  /// Precondition: `create`'s check passed.
  explicit EwmaVolatility(double lambda) noexcept : returns_(1), lambda_(lambda), weight_(1.0 - lambda) {}

  std::optional<double> update(double x) {
    const auto r = returns_.update(x);
    if (!r) return std::nullopt;
    if (started_) {
      variance_ = (weight_ * *r) * *r + variance_ * lambda_;
    } else {
      variance_ = *r * *r;
      started_ = true;
    }
    return std::sqrt(std::max(variance_, 0.0));
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  LogReturn returns_;
  double lambda_;
  double weight_;  // 1 - lambda
  double variance_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rolling Sharpe ratio of the last n returns (each close is a per-period return): (mean -
/// risk_free) / sample standard deviation, the sample variance being fma(n, -a², S2) / (n - 1) of
/// the anchored sums (a = S1 / n) clamped at 0; 0 when that variance is 0. Not annualised.
class SharpeRatio {
 public:
  static Expected<SharpeRatio> create(std::uint64_t period, double risk_free);
  /// Precondition: the parameters passed `create`'s checks.
  SharpeRatio(std::uint64_t period, double risk_free) : var_(period), risk_free_(risk_free) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    var_.push(r);
    if (!var_.full()) return std::nullopt;
    const double v = var_.variance();
    if (v == 0.0) return 0.0;
    return (var_.mean() - risk_free_) / std::sqrt(v);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return var_.period(); }

 private:
  RollingSampleVariance var_;
  double risk_free_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/log_return.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Jump indicator: +1 when a log return lies more than threshold sample deviations above the mean
/// of the n returns before it, -1 when more than that below, else 0 (0 also when those returns do
/// not vary). The return joins the window after it has been judged. Closes that are not positive
/// are skipped.
class JumpIndicator {
 public:
  /// Checks: the period (0, then below 2, then MAX_PERIOD), then the threshold (finite and > 0).
  static Expected<JumpIndicator> create(std::uint64_t period, double threshold);
  /// Precondition: `create`'s checks passed.
  JumpIndicator(std::uint64_t period, double threshold) noexcept
      : returns_(1), var_(period), threshold_(threshold) {}

  std::optional<double> update(double x) {
    const auto r = returns_.update(x);
    if (!r) return std::nullopt;
    std::optional<double> out;
    if (var_.full()) out = judge(*r);
    var_.push(*r);
    return out;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(var_.period(), 2); }

 private:
  double judge(double r) const noexcept {
    const double mean = var_.mean();
    const double variance = var_.variance();
    if (variance == 0.0) return 0.0;
    const double s = std::sqrt(variance);
    if (r - mean > s * threshold_) return 1.0;
    if (r - mean < -s * threshold_) return -1.0;
    return 0.0;
  }

  LogReturn returns_;
  RollingSampleVariance var_;
  double threshold_;
};

}  // namespace sorvik

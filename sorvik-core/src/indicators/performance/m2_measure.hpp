#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Modigliani risk-adjusted return of the last n returns: (mean - risk_free) / sample standard
/// deviation · benchmark_stddev + risk_free, with the sample variance of `SharpeRatio`; 0 when that
/// deviation is 0.
class M2Measure {
 public:
  static Expected<M2Measure> create(std::uint64_t period, double risk_free, double benchmark_stddev);
  /// Precondition: the parameters passed `create`'s checks.
  M2Measure(std::uint64_t period, double risk_free, double benchmark_stddev)
      : var_(period), risk_free_(risk_free), benchmark_stddev_(benchmark_stddev) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    var_.push(r);
    if (!var_.full()) return std::nullopt;
    const double sd = var_.deviation();
    if (sd == 0.0) return 0.0;
    return (var_.mean() - risk_free_) / sd * benchmark_stddev_ + risk_free_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return var_.period(); }

 private:
  RollingSampleVariance var_;
  double risk_free_;
  double benchmark_stddev_;
};

}  // namespace sorvik

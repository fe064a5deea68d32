#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Population skewness m3 / (√var·var) with m3 = S3/n - 3·a·b + 2·a³ (a = S1/n, b = S2/n); 0 when
/// the variance is 0.
class Skewness {
 public:
  static Expected<Skewness> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit Skewness(std::uint64_t period) : acc_(period), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    const double var = acc_.variance();
    if (var == 0.0) return 0.0;
    const double a = acc_.shifted_mean();
    const double b = acc_.s2() / n_;
    const double a3 = a * a * a;
    const double m3 = acc_.s3() / n_ - 3.0 * a * b + 2.0 * a3;
    return m3 / (std::sqrt(var) * var);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  AnchoredMoments<3> acc_;
  double n_;
};

}  // namespace sorvik

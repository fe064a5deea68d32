#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Population excess kurtosis m4 / var² - 3 with m4 = S4/n - 4·a·(S3/n) + 6·a²·b - 3·a⁴ (a = S1/n,
/// b = S2/n); 0 when the variance is 0.
class Kurtosis {
 public:
  static Expected<Kurtosis> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit Kurtosis(std::uint64_t period) : acc_(period), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    const double var = acc_.variance();
    if (var == 0.0) return 0.0;
    const double a = acc_.shifted_mean();
    const double b = acc_.s2() / n_;
    const double a2 = a * a;
    const double a4 = a2 * a2;
    const double m4 = acc_.s4() / n_ - 4.0 * a * (acc_.s3() / n_) + 6.0 * a2 * b - 3.0 * a4;
    return m4 / (var * var) - 3.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  AnchoredMoments<4> acc_;
  double n_;
};

}  // namespace sorvik

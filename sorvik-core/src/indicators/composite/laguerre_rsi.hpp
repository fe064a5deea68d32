#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Laguerre RSI: a four-element Laguerre filter of the close (the first close sets all four to
/// it and yields 50). Later: L0 = L0' * g + x * (1 - g); Lk = Lk' * g + (L(k-1)' - g * L(k-1)) for
/// k = 1..3 (primes are the previous values). Over the pairs (L0, L1), (L1, L2), (L2, L3) the rises
/// add to CU and the falls to CD; value = CU * 100 / (CU + CD) limited to [0, 100], or 50 when
/// CU + CD is not positive.
class LaguerreRsi {
 public:
  /// Checks: gamma finite and within [0, 1].
  static Expected<LaguerreRsi> create(double gamma);
  /// Precondition: `create`'s check passed.
  explicit LaguerreRsi(double gamma) noexcept : gamma_(gamma), one_minus_gamma_(1.0 - gamma) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!started_) [[unlikely]] {
      l0_ = l1_ = l2_ = l3_ = x;
      started_ = true;
      return 50.0;
    }
    const double p0 = l0_;
    const double p1 = l1_;
    const double p2 = l2_;
    l0_ = p0 * gamma_ + x * one_minus_gamma_;
    l1_ = l1_ * gamma_ + (p0 - gamma_ * l0_);
    l2_ = l2_ * gamma_ + (p1 - gamma_ * l1_);
    l3_ = l3_ * gamma_ + (p2 - gamma_ * l2_);
    double cu = 0.0;
    double cd = 0.0;
    accumulate(l0_, l1_, cu, cd);
    accumulate(l1_, l2_, cu, cd);
    accumulate(l2_, l3_, cu, cd);
    const double total = cu + cd;
    if (!(total > 0.0)) return 50.0;
    const double value = cu * 100.0 / total;
    if (value < 0.0) return 0.0;
    if (value > 100.0) return 100.0;
    return value;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  static void accumulate(double first, double second, double& cu, double& cd) noexcept {
    if (!(first < second)) {
      cu = cu + (first - second);
    } else {
      cd = cd + (second - first);
    }
  }

  double gamma_;
  double one_minus_gamma_;
  double l0_ = 0.0;
  double l1_ = 0.0;
  double l2_ = 0.0;
  double l3_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik

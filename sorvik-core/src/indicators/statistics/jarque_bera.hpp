#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Jarque-Bera statistic of the last n closes, recomputed from the window on every update: with
/// d = x - mean, m2 = Σd²/n, S = (Σd³/n)/(m2·√m2) and K = (Σd⁴/n)/(m2·m2) - 3, (K²·0.25 + S²)·(n/6);
/// 0 when m2 is 0 or the window is flat (its rounded mean may differ from the common value, which
/// would leave spurious moments).
class JarqueBera {
 public:
  static Expected<JarqueBera> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit JarqueBera(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const double mean = window_sum(window_) / n_;
    double s2 = 0.0;
    double s3 = 0.0;
    double s4 = 0.0;
    const double first = window_.oldest();
    bool flat = true;
    window_.for_each([&](double v) {
      flat = flat && v == first;
      const double d = v - mean;
      const double d2 = d * d;
      s2 = s2 + d2;
      s3 = s3 + d2 * d;
      s4 = s4 + d2 * d2;
    });
    const double m2 = s2 / n_;
    if (flat || m2 == 0.0) return 0.0;
    const double skew = s3 / n_ / (m2 * std::sqrt(m2));
    const double kurt = s4 / n_ / (m2 * m2) - 3.0;
    return (kurt * kurt * 0.25 + skew * skew) * (n_ / 6.0);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Cyber cycle, alpha = 2/(P+1): a 4-bar weighted smoothing of the close fed through a two-pole
/// high-pass recursion; (x - 2 x1 + x2)/4 until two previous smooth and cycle values exist.
class CyberneticCycle {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<CyberneticCycle> create(std::uint64_t period);
  explicit CyberneticCycle(std::uint64_t period) noexcept;

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const double smooth = inputs_ >= 3 ? (x + 2.0 * x1_ + 2.0 * x2_ + x3_) / 6.0 : x;
    double cycle;
    if (inputs_ >= 2) [[likely]] {
      cycle = k_diff_ * (smooth - 2.0 * s1_ + s2_) + k_c1_ * c1_ - k_c2_ * c2_;
    } else {
      const double a = inputs_ >= 1 ? x1_ : x;
      const double b = inputs_ >= 2 ? x2_ : x;
      cycle = (x - 2.0 * a + b) / 4.0;
    }
    if (inputs_ < 3) ++inputs_;
    x3_ = x2_;
    x2_ = x1_;
    x1_ = x;
    s2_ = s1_;
    s1_ = smooth;
    c2_ = c1_;
    c1_ = cycle;
    return cycle;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double k_diff_, k_c1_, k_c2_;
  double x1_ = 0.0, x2_ = 0.0, x3_ = 0.0;
  double s1_ = 0.0, s2_ = 0.0, c1_ = 0.0, c2_ = 0.0;
  int inputs_ = 0;  // previous inputs, counted up to 3
};

}  // namespace sorvik

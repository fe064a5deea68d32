#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Universal oscillator: white noise w = (x - x2)/2 smoothed by the super smoother, over its decaying
/// peak (peak = max(0.991 peak, |f|)), clamped to [-1, 1]; 0 while the peak is 0. A white-noise value
/// that overflows repeats the previous answer.
class UniversalOscillator {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<UniversalOscillator> create(std::uint64_t period);
  explicit UniversalOscillator(std::uint64_t period) noexcept : ss_(static_cast<double>(period)) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const double x2 = x2_;
    const bool have_two = inputs_ >= 2;
    if (!have_two) ++inputs_;
    x2_ = x1_;
    x1_ = x;
    if (!have_two) return std::nullopt;
    const double w = (x - x2) / 2.0;
    if (!std::isfinite(w)) return last_;
    const double f = ss_.update(w);
    peak_ = std::max(0.991 * peak_, std::fabs(f));
    last_ = peak_ > 0.0 ? std::clamp(f / peak_, -1.0, 1.0) : 0.0;
    return last_;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  cycles::SuperSmootherStage ss_;
  double x1_ = 0.0, x2_ = 0.0;
  int inputs_ = 0;  // previous inputs, counted up to 2
  double peak_ = 0.0;
  std::optional<double> last_;
};

}  // namespace sorvik

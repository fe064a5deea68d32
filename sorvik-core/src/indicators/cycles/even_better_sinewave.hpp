#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "indicators/cycles/hilbert_core.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Even better sinewave: a one-pole high-pass (alpha = (1 - sin(2pi/hp))/cos(2pi/hp)) smoothed by the
/// super smoother; the mean of the last three values over their root mean square, clamped to [-1, 1].
class EvenBetterSinewave {
 public:
  /// Checks: hp_period zero, ss_period zero, ss_period MAX_PERIOD.
  static Expected<EvenBetterSinewave> create(std::uint64_t hp_period, std::uint64_t ss_period);
  EvenBetterSinewave(std::uint64_t hp_period, std::uint64_t ss_period) noexcept;

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    double hp = 0.0;
    if (started_) [[likely]] {
      hp = k_diff_ * (x - x_prev_) + alpha_ * hp_prev_;
    }
    started_ = true;
    x_prev_ = x;
    hp_prev_ = hp;
    f_.push(ss_.update(hp));
    if (!f_.full()) return std::nullopt;
    const double f0 = f_[0], f1 = f_[1], f2 = f_[2];
    const double wave = (f0 + f1 + f2) / 3.0;
    const double power = (f0 * f0 + f1 * f1 + f2 * f2) / 3.0;
    if (!(power > 0.0)) return 0.0;
    return std::clamp(wave / std::sqrt(power), -1.0, 1.0);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  double alpha_;
  double k_diff_;  // 0.5 (1 + alpha)
  double x_prev_ = 0.0, hp_prev_ = 0.0;
  bool started_ = false;
  cycles::SuperSmootherStage ss_;
  cycles::Recent<3> f_;
};

}  // namespace sorvik

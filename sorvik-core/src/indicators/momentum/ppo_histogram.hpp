#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/momentum/ppo.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// PPO histogram: the `Ppo`(fast, slow) line (a non-finite value is skipped) feeds `Ema`(signal);
/// value = ppo - signal.
class PpoHistogram {
 public:
  /// Checks: those of `Ppo`, then the signal period (0, then MAX_PERIOD).
  static Expected<PpoHistogram> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  PpoHistogram(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) noexcept
      : ppo_(fast, slow), signal_(signal) {}

  std::optional<double> update(double x) noexcept {
    const auto p = ppo_.update(x);
    if (!p || !std::isfinite(*p)) return std::nullopt;
    const auto sig = signal_.update(*p);
    if (!sig) return std::nullopt;
    return *p - *sig;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(ppo_.warmup_period(), signal_.warmup_period()), 1);
  }

 private:
  Ppo ppo_;
  Ema signal_;
};

}  // namespace sorvik

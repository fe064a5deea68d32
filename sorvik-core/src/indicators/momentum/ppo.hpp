#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Percentage price oscillator: (fast - slow) * 100 / slow of `Ema`(fast) and `Ema`(slow) of the
/// close, or 0 when the slow average is zero.
class Ppo {
 public:
  /// Checks: fast < slow, then fast and slow (each 0, then MAX_PERIOD).
  static Expected<Ppo> create(std::uint64_t fast, std::uint64_t slow);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Ppo(std::uint64_t fast, std::uint64_t slow) noexcept : fast_(fast), slow_(slow) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto f = fast_.update(x);
    const auto s = slow_.update(x);
    if (!f || !s) return std::nullopt;
    if (*s == 0.0) return 0.0;
    return (*f - *s) * 100.0 / *s;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return slow_.warmup_period(); }

 private:
  Ema fast_;
  Ema slow_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Absolute price oscillator: `Ema`(fast) - `Ema`(slow) of the close.
class Apo {
 public:
  /// Checks: fast < slow, then fast and slow (each 0, then MAX_PERIOD).
  static Expected<Apo> create(std::uint64_t fast, std::uint64_t slow);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Apo(std::uint64_t fast, std::uint64_t slow) noexcept : fast_(fast), slow_(slow) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto f = fast_.update(x);
    const auto s = slow_.update(x);
    if (!f || !s) return std::nullopt;
    return *f - *s;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return slow_.warmup_period(); }

 private:
  Ema fast_;
  Ema slow_;
};

}  // namespace sorvik

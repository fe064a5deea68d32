#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Decycler oscillator: the difference of two decyclers, answered as hp_slow - hp_fast of the two
/// two-pole high-passes of the close.
class DecyclerOscillator {
 public:
  /// Checks: fast zero, slow zero, fast < slow, slow MAX_PERIOD.
  static Expected<DecyclerOscillator> create(std::uint64_t fast, std::uint64_t slow);
  DecyclerOscillator(std::uint64_t fast, std::uint64_t slow) noexcept : fast_(fast), slow_(slow) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const double hp_fast = fast_.update(x);
    const double hp_slow = slow_.update(x);
    return hp_slow - hp_fast;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  cycles::TwoPoleHighpass fast_;
  cycles::TwoPoleHighpass slow_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume oscillator: a fast and a slow simple average of the volume; once both are ready
/// value = (fast - slow) * 100 / slow, 0 when the slow average is 0.
class VolumeOscillator {
 public:
  /// Checks: both lengths non-zero, fast < slow, then the bound on the slow length.
  static Expected<VolumeOscillator> create(std::uint64_t fast, std::uint64_t slow);
  VolumeOscillator(std::uint64_t fast, std::uint64_t slow) noexcept : fast_(fast), slow_(slow) {}

  std::optional<double> update(const Candle& c) {
    const auto f = fast_.update(c.volume);
    const auto s = slow_.update(c.volume);
    if (!f || !s) return std::nullopt;
    if (*s == 0.0) return 0.0;
    return (*f - *s) * 100.0 / *s;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return slow_.warmup_period(); }

 private:
  Sma fast_;
  Sma slow_;
};

}  // namespace sorvik

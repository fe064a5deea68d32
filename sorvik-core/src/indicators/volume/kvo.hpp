#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Klinger volume oscillator. The first bar only stores (high + low + close) and its range dm.
/// Later: the trend is +1 when that sum rose, -1 when it fell, the previous trend when unchanged
/// (0 before the first move); cm = cm + dm while the trend holds, else previous dm + dm; the volume
/// force (trend * (volume * |(dm / cm - 1) * 2|)) * 100, 0 when cm is zero, feeds a fast and a slow
/// exponential average; value = fast - slow.
class Kvo {
 public:
  /// Checks: both lengths non-zero, fast < slow, then the bound on the slow length.
  static Expected<Kvo> create(std::uint64_t fast, std::uint64_t slow);
  Kvo(std::uint64_t fast, std::uint64_t slow) noexcept : fast_(fast), slow_(slow) {}

  std::optional<double> update(const Candle& c) noexcept;

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(slow_.warmup_period(), 1); }

 private:
  Ema fast_;
  Ema slow_;
  double prev_sum_ = 0.0;
  double prev_dm_ = 0.0;
  double cm_ = 0.0;
  double trend_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/cycles/hilbert_core.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Hilbert-transform trend mode: 1 in trend mode, 0 in cycle mode. Cycle mode is signalled by a
/// crossing of the sine and lead-sine lines, by fewer days in trend than half the period, or by a
/// phase advance near the cycle's rate; a smoothed price 1.5 % or more away from the instantaneous
/// trendline forces trend mode. The state advances on every input from the 4th on.
class HtTrendMode {
 public:
  static Expected<HtTrendMode> create() { return HtTrendMode(); }

  std::optional<double> update(double x) noexcept;
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return cycles::HilbertCore::WARMUP; }

 private:
  cycles::HilbertCore core_;
  cycles::Recent<50> prices_;  // raw closes, newest first
  double prev_sine_ = 0.0, prev_lead_ = 0.0, prev_phase_ = 0.0;
  double t1_ = 0.0, t2_ = 0.0, t3_ = 0.0;  // the previous three trendline means
  std::uint64_t days_in_trend_ = 0;
};

}  // namespace sorvik

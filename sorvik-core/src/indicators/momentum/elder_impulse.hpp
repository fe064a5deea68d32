#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/momentum/macd_indicator.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Elder impulse: an `Ema`(ema) of the close and the histogram of `MacdIndicator`(fast, slow,
/// signal). The first bar on which both exist only stores them; afterwards the value is +1 when both
/// rose strictly since the previous bar, -1 when both fell strictly, else 0.
class ElderImpulse {
 public:
  /// Checks: those of `MacdIndicator` (fast < slow, then fast, slow, signal), then ema.
  static Expected<ElderImpulse> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal,
                                       std::uint64_t ema);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  ElderImpulse(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal, std::uint64_t ema) noexcept
      : macd_(fast, slow, signal), ema_(ema) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto e = ema_.update(x);
    const auto m = macd_.update(x);
    if (!e || !m) return std::nullopt;
    const double hist = (*m)[2];
    const bool had_prev = has_prev_;
    const double prev_e = prev_ema_;
    const double prev_h = prev_hist_;
    prev_ema_ = *e;
    prev_hist_ = hist;
    has_prev_ = true;
    if (!had_prev) return std::nullopt;
    if (*e > prev_e && hist > prev_h) return 1.0;
    if (*e < prev_e && hist < prev_h) return -1.0;
    return 0.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    const std::uint64_t m = macd_.warmup_period();
    const std::uint64_t e = ema_.warmup_period();
    return sat_add(e > m ? e : m, 1);
  }

 private:
  MacdIndicator macd_;
  Ema ema_;
  double prev_ema_ = 0.0;
  double prev_hist_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Schaff trend cycle: macd = `Ema`(fast) - `Ema`(slow) of the close, stochastic over the last
/// `cycle` macd values (k1 = (macd - min) * 100 / (max - min), 0 when max is not above min, extremes
/// by scan), smoothed pf = (k1 - pf) * factor + pf (the first pf is k1); the same stochastic over the
/// last `cycle` pf values gives k2, and value = (k2 - value) * factor + value (the first value is k2).
class Stc {
 public:
  /// Checks: fast < slow; fast, slow and cycle (each 0, then MAX_PERIOD); factor finite in (0, 1].
  static Expected<Stc> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t cycle, double factor);
  /// Precondition: `create`'s checks passed.
  Stc(std::uint64_t fast, std::uint64_t slow, std::uint64_t cycle, double factor)
      : fast_(fast), slow_(slow), macd_(static_cast<std::size_t>(cycle)), pf_(static_cast<std::size_t>(cycle)), factor_(factor) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto f = fast_.update(x);
    const auto s = slow_.update(x);
    if (!f || !s) return std::nullopt;
    const double macd = *f - *s;
    macd_.push_discard(macd);
    if (!macd_.full()) return std::nullopt;
    const double k1 = stochastic(macd_, macd);
    pf_value_ = has_pf_ ? (k1 - pf_value_) * factor_ + pf_value_ : k1;
    has_pf_ = true;
    pf_.push_discard(pf_value_);
    if (!pf_.full()) return std::nullopt;
    const double k2 = stochastic(pf_, pf_value_);
    value_ = has_value_ ? (k2 - value_) * factor_ + value_ : k2;
    has_value_ = true;
    return value_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    // slow + 2 * cycle - 2
    return sat_sub(sat_add(slow_.warmup_period(), sat_mul(2, macd_.capacity())), 2);
  }

 private:
  /// (v - min) * 100 / (max - min) over the window, or 0 when max is not above min.
  static double stochastic(const Window<double>& w, double v) {
    const double lo = scan_min(w);
    const double hi = scan_max(w);
    if (!(hi > lo)) return 0.0;
    return (v - lo) * 100.0 / (hi - lo);
  }

  Ema fast_;
  Ema slow_;
  Window<double> macd_;
  Window<double> pf_;
  double factor_;
  double pf_value_ = 0.0;
  double value_ = 0.0;
  bool has_pf_ = false;
  bool has_value_ = false;
};

}  // namespace sorvik

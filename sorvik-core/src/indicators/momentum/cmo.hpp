#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Chande momentum oscillator. The first close is only stored; every later close gives a gain and a
/// loss (the positive and negative parts of the one-bar change). The last n pairs sit in a window
/// with running sums G and L (the dropped pair is subtracted first, no periodic re-add).
/// Value = (G - L) * 100 / (G + L), or 0 when G + L is zero.
class Cmo {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Cmo> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Cmo(std::uint64_t period) noexcept : pairs_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    const double d = x - prev_;
    prev_ = x;
    const GainLoss p{d > 0.0 ? d : 0.0, d < 0.0 ? -d : 0.0};
    if (pairs_.full()) [[likely]] {
      const GainLoss o = pairs_.oldest();
      pairs_.push_discard(p);
      gains_ = (gains_ - o.gain) + p.gain;
      losses_ = (losses_ - o.loss) + p.loss;
    } else {
      pairs_.push_discard(p);
      gains_ = gains_ + p.gain;
      losses_ = losses_ + p.loss;
      if (!pairs_.full()) return std::nullopt;
    }
    const double total = gains_ + losses_;
    if (total == 0.0) return 0.0;
    return (gains_ - losses_) * 100.0 / total;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(pairs_.capacity(), 1); }
  [[nodiscard]] bool ready() const noexcept { return pairs_.full(); }

 private:
  struct GainLoss {
    double gain;
    double loss;
  };
  Window<GainLoss> pairs_;
  double gains_ = 0.0;
  double losses_ = 0.0;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

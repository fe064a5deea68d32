#pragma once

// Scans shared by the performance ratios: the win/loss tally of a window of returns, the answer of
// a gains-over-losses ratio, the two drawdown curves (the values as equity levels, or returns
// compounded from 1) and the drawdown episodes of a curve.

#include <cmath>
#include <cstdint>
#include <limits>

#include "sorvik/blocks.hpp"

namespace sorvik::performance {

/// The wins and losses of a window of returns, each sum added oldest first from zero.
struct WinLoss {
  double total = 0.0;   // Σ r
  double gains = 0.0;   // Σ r over r > 0
  double losses = 0.0;  // Σ |r| over r < 0
  std::uint64_t wins = 0;
  std::uint64_t loss_count = 0;
};

[[nodiscard]] inline WinLoss tally(const Window<double>& w) noexcept {
  WinLoss t;
  w.for_each([&](double r) {
    t.total = t.total + r;
    if (r > 0.0) {
      t.gains = t.gains + r;
      ++t.wins;
    } else if (r < 0.0) {
      t.losses = t.losses + -r;
      ++t.loss_count;
    }
  });
  return t;
}

/// gains / losses; with no losses +infinity when there are gains and 1 when there are none.
[[nodiscard]] inline double gains_over_losses(double gains, double losses) noexcept {
  if (losses != 0.0) return gains / losses;
  return gains != 0.0 ? std::numeric_limits<double>::infinity() : 1.0;
}

/// Level form: the values are the equity levels themselves. The peak starts at minus infinity and
/// is raised to a value that exceeds it; f(peak, value) is called for every value, oldest first,
/// after the peak was raised.
template <class F>
void walk_levels(const Window<double>& w, F&& f) {
  double peak = -std::numeric_limits<double>::infinity();
  w.for_each([&](double v) {
    if (v > peak) peak = v;
    f(peak, v);
  });
}

/// Compounded form: the values are returns; E_0 = 1 and E_i = E_{i-1} · (r_i + 1), the sum formed
/// first. The peak starts at E_0 = 1 and is raised to an E_i that exceeds it; f(r_i, peak, E_i) is
/// called for every return, oldest first, after the peak was raised.
template <class F>
void walk_compounded(const Window<double>& w, F&& f) {
  double equity = 1.0;
  double peak = 1.0;
  w.for_each([&](double r) {
    equity = equity * (r + 1.0);
    if (equity > peak) peak = equity;
    f(r, peak, equity);
  });
}

/// (peak - trough) / peak.
[[nodiscard]] inline double episode_depth(double peak, double trough) noexcept {
  return (peak - trough) / peak;
}

/// The drawdown episodes of a curve fed point by point with the peak after each point. An episode
/// opens at the first point below the peak (its trough is that point), each later point below the
/// peak lowers the trough to the smaller of the two (a NaN point, which is never "not below", leaves
/// it), and the first point not below the peak (an equal one included) closes it. `done(peak,
/// trough)` receives every episode, the peak being the one it fell from; `finish` hands over an
/// episode still open after the last point.
class EpisodeTracker {
 public:
  template <class Done>
  void point(double peak, double v, Done&& done) {
    if (v >= peak) {
      if (open_) {
        open_ = false;
        done(peak_, trough_);
      }
    } else if (!open_) {
      open_ = true;
      peak_ = peak;
      trough_ = v;
    } else {
      trough_ = std::fmin(trough_, v);
    }
  }
  template <class Done>
  void finish(Done&& done) {
    if (open_) {
      open_ = false;
      done(peak_, trough_);
    }
  }

 private:
  bool open_ = false;
  double peak_ = 0.0;
  double trough_ = 0.0;
};

}  // namespace sorvik::performance

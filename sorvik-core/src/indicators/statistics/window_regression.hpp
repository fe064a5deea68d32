#pragma once

// Least-squares fits recomputed from a full window on every update (sums oldest first from zero).

#include <cstddef>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/blocks.hpp"

namespace sorvik {

/// Σe² of the residuals of the fit of a window against centred positions: f = oldest value,
/// m = Σ(y_i - f)/n, c_i = i - (n-1)/2, s = Σ(y_i - f - m)·c_i / (D/n), e_i = y_i - f - m - s·c_i.
[[nodiscard]] inline double centred_residual_squares(const Window<double>& w,
                                                     const LinRegConstants& c) noexcept {
  const double f = w.oldest();
  double sum = 0.0;
  w.for_each([&](double y) { sum = sum + (y - f); });
  const double m = sum / c.n;
  const double mid = (c.n - 1.0) / 2.0;
  double cross = 0.0;
  double i = 0.0;
  w.for_each([&](double y) {
    cross = cross + (y - f - m) * (i - mid);
    i = i + 1.0;
  });
  const double s = cross / (c.d / c.n);
  double see = 0.0;
  i = 0.0;
  w.for_each([&](double y) {
    const double e = y - f - m - s * (i - mid);
    see = see + e * e;
    i = i + 1.0;
  });
  return see;
}

/// The fit of a window's deviations from its mean: mu = window mean, u_i = y_i - mu,
/// s = (n·Σi·u_i - Sx·Σu_i) / D, v = (Σu_i - Sx·s)/n, r_i = u_i - (i·s + v).
struct MeanCentredFit {
  double mu;   // window mean
  double v;    // intercept of the deviations at the oldest bar
  double s;    // slope per bar
  double srr;  // Σr²

  /// mu + v + s·(n-1): the fitted value at the newest bar.
  [[nodiscard]] double end_value(const LinRegConstants& c) const noexcept {
    return mu + v + s * (c.n - 1.0);
  }

  [[nodiscard]] static MeanCentredFit of(const Window<double>& w, const LinRegConstants& c) noexcept {
    MeanCentredFit fit{};
    fit.mu = window_sum(w) / c.n;
    double su = 0.0;
    double siu = 0.0;
    double i = 0.0;
    w.for_each([&](double y) {
      const double u = y - fit.mu;
      su = su + u;
      siu = siu + i * u;
      i = i + 1.0;
    });
    fit.s = (c.n * siu - c.sx * su) / c.d;
    fit.v = (su - c.sx * fit.s) / c.n;
    double srr = 0.0;
    i = 0.0;
    w.for_each([&](double y) {
      const double r = (y - fit.mu) - (i * fit.s + fit.v);
      srr = srr + r * r;
      i = i + 1.0;
    });
    fit.srr = srr;
    return fit;
  }
};

}  // namespace sorvik

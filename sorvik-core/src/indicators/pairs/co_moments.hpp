#pragma once

// The anchored co-moment accumulator of the pair family: the rolling first and second moments of the
// last n (x, y) pairs, kept as sums shifted by an anchor (Kx, Ky) so that they stay small. The anchor
// is the first pair, then the window means, refreshed every n pushes (counted from construction),
// when every sum is recomputed from the held pairs. Embed it wherever a rolling covariance,
// correlation or regression slope of two series is needed.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

namespace pairs {

/// Whether both values of a pair are finite (pairs that are not give nothing and change nothing).
[[nodiscard]] inline bool finite_pair(PairInput p) noexcept { return std::isfinite(p.x) && std::isfinite(p.y); }

/// One (x, y) observation of a pair series.
struct XY {
  double x = 0.0;
  double y = 0.0;
};

/// 0 when vx·vy is zero, else clamp(cov / √(vx·vy), -1, 1): the correlation rule of the family.
[[nodiscard]] inline double clamped_correlation(double cov, double vx, double vy) noexcept {
  const double v = vx * vy;
  if (v == 0.0) return 0.0;
  return std::clamp(cov / std::sqrt(v), -1.0, 1.0);
}

}  // namespace pairs

/// The derived values of a `CoMoments` (m = the number of held pairs).
struct CoMomentStats {
  double mx;      // Sx / m
  double my;      // Sy / m
  double vx;      // max(Sxx / m - mx², 0)
  double vy;      // max(Syy / m - my², 0)
  double cov;     // Sxy / m - my·mx
  double mean_x;  // Kx + mx
  double mean_y;  // Ky + my

  /// The slope of x on y, cov / vy, or 0 when vy is zero.
  [[nodiscard]] double beta() const noexcept { return vy != 0.0 ? cov / vy : 0.0; }
  /// The correlation of x and y (0 when either variance is zero).
  [[nodiscard]] double correlation() const noexcept { return pairs::clamped_correlation(cov, vx, vy); }
};

/// Rolling sums Sx = Σ(x-Kx), Sy = Σ(y-Ky), Sxx = Σ(x-Kx)², Syy = Σ(y-Ky)², Sxy = Σ(x-Kx)(y-Ky)
/// over the last n pairs.
class CoMoments {
 public:
  /// Precondition: 1 <= period <= MAX_PERIOD.
  explicit CoMoments(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)), period_(period) {}

  /// Adds a pair of finite values (the caller filters invalid input).
  void push(double x, double y) {
    if (window_.full()) remove(window_.oldest());
    window_.push_discard(pairs::XY{x, y});
    if (!anchored_) {
      kx_ = x;
      ky_ = y;
      anchored_ = true;
    }
    add(x - kx_, y - ky_);
    if (++pushes_ == period_) reanchor();
  }

  [[nodiscard]] bool full() const noexcept { return window_.full(); }
  [[nodiscard]] std::size_t size() const noexcept { return window_.size(); }
  [[nodiscard]] std::uint64_t period() const noexcept { return period_; }
  /// The held pairs, oldest first.
  [[nodiscard]] const Window<pairs::XY>& window() const noexcept { return window_; }

  [[nodiscard]] double sx() const noexcept { return sx_; }
  [[nodiscard]] double sy() const noexcept { return sy_; }
  [[nodiscard]] double sxy() const noexcept { return sxy_; }

  /// The derived values over the held pairs (at least one).
  [[nodiscard]] CoMomentStats stats() const noexcept {
    const double m = static_cast<double>(window_.size());
    const double mx = sx_ / m;
    const double my = sy_ / m;
    return CoMomentStats{
        mx,
        my,
        non_negative(sxx_ / m - mx * mx),
        non_negative(syy_ / m - my * my),
        sxy_ / m - my * mx,
        kx_ + mx,
        ky_ + my,
    };
  }

 private:
  void add(double dx, double dy) noexcept {
    sx_ = sx_ + dx;
    sy_ = sy_ + dy;
    sxx_ = dx * dx + sxx_;
    syy_ = dy * dy + syy_;
    sxy_ = dy * dx + sxy_;
  }
  void remove(const pairs::XY& o) noexcept {
    const double dx = o.x - kx_;
    const double dy = o.y - ky_;
    sx_ = sx_ - dx;
    sy_ = sy_ - dy;
    sxx_ = sxx_ - dx * dx;
    syy_ = syy_ - dy * dy;
    sxy_ = sxy_ - dy * dx;
  }
  void reanchor() noexcept {
    double sum_x = 0.0;
    double sum_y = 0.0;
    window_.for_each([&](const pairs::XY& p) {
      sum_x = sum_x + p.x;
      sum_y = sum_y + p.y;
    });
    const double count = static_cast<double>(window_.size());
    kx_ = sum_x / count;
    ky_ = sum_y / count;
    sx_ = sy_ = sxx_ = syy_ = sxy_ = 0.0;
    window_.for_each([&](const pairs::XY& p) { add(p.x - kx_, p.y - ky_); });
    pushes_ = 0;
  }

  Window<pairs::XY> window_;
  std::uint64_t period_;
  double kx_ = 0.0;
  double ky_ = 0.0;
  bool anchored_ = false;
  double sx_ = 0.0;
  double sy_ = 0.0;
  double sxx_ = 0.0;
  double syy_ = 0.0;
  double sxy_ = 0.0;
  std::uint64_t pushes_ = 0;
};

namespace pairs {

/// The pair family's common check of a window length with its own minimum: below `min` gives the
/// type's message (a zero included), above MAX_PERIOD gives the bound's message.
[[nodiscard]] constexpr std::optional<IndicatorError> check_min_period(std::uint64_t n, std::uint64_t min,
                                                                       std::string_view message) noexcept {
  if (n < min) return IndicatorError::invalid_period(message);
  return check_max_period(n);
}

}  // namespace pairs

}  // namespace sorvik

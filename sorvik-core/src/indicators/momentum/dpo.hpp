#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Detrended price oscillator. A window of max(n, n/2 + 2) closes and a running sum of the newest n:
/// sum = x + (sum - the close n bars back) once more than n closes are held, recomputed from
/// scratch (oldest first) every n pushes. Once the window is full: value = the close n/2 + 1 bars
/// back minus sum / n.
class Dpo {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Dpo> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Dpo(std::uint64_t period) noexcept
      : closes_(static_cast<std::size_t>(window_length(period))),
        n_(static_cast<std::size_t>(period)),
        n_real_(static_cast<double>(period)),
        shift_(static_cast<std::size_t>(period / 2 + 1)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto dropped = closes_.push(x);
    if (closes_.capacity() == n_) {
      sum_ = dropped ? x + (sum_ - *dropped) : x + sum_;
    } else {
      sum_ = closes_.size() > n_ ? x + (sum_ - closes_.back(n_)) : x + sum_;
    }
    if (++pushes_ == n_) {
      double s = 0.0;
      for (std::size_t k = n_; k-- > 0;) s = s + closes_.back(k);
      sum_ = s;
      pushes_ = 0;
    }
    if (!closes_.full()) return std::nullopt;
    return closes_.back(shift_) - sum_ / n_real_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return closes_.capacity(); }

  /// max(n, n/2 + 2): the newest n closes plus the close n/2 + 1 bars back.
  [[nodiscard]] static constexpr std::uint64_t window_length(std::uint64_t n) noexcept {
    return n > n / 2 + 2 ? n : n / 2 + 2;
  }

 private:
  Window<double> closes_;
  std::size_t n_;
  double n_real_;
  std::size_t shift_;
  double sum_ = 0.0;
  std::size_t pushes_ = 0;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// True strength index: the one-bar change m and its magnitude |m| each pass `Ema`(long) and then
/// `Ema`(short); value = (smoothed m * 100) / smoothed |m|, or 0 when the denominator is zero.
class Tsi {
 public:
  /// Checks: long, then short (each 0, then MAX_PERIOD).
  static Expected<Tsi> create(std::uint64_t long_period, std::uint64_t short_period);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Tsi(std::uint64_t long_period, std::uint64_t short_period) noexcept
      : m_long_(long_period), abs_long_(long_period), m_short_(short_period), abs_short_(short_period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    const double m = x - prev_;
    prev_ = x;
    const auto ml = m_long_.update(m);
    const auto al = abs_long_.update(std::fabs(m));
    if (!ml || !al) return std::nullopt;
    const auto ms = m_short_.update(*ml);
    const auto as = abs_short_.update(*al);
    if (!ms || !as) return std::nullopt;
    if (*as == 0.0) return 0.0;
    return (*ms * 100.0) / *as;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(m_long_.warmup_period(), m_short_.warmup_period());
  }

 private:
  Ema m_long_;
  Ema abs_long_;
  Ema m_short_;
  Ema abs_short_;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// 100·(close - forecast)/close with the forecast of `Tsf` for this bar; a close of exactly 0 repeats
/// the previous answer (nothing when there is none).
class TsfOscillator {
 public:
  static Expected<TsfOscillator> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit TsfOscillator(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    if (x == 0.0) return last_;
    const double f = acc_.fitted_at(acc_.constants().n);
    last_ = (x - f) * 100.0 / x;
    return last_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  LinRegAccumulator acc_;
  std::optional<double> last_;
};

}  // namespace sorvik

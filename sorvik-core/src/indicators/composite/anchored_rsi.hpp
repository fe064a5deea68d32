#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Anchored RSI: the cumulative gains G and losses L of every one-bar change since the first close;
/// value = 100 - 100 / (G / L + 1); with L zero the value is 50 when G is zero too and 100 otherwise.
class AnchoredRsi {
 public:
  static Expected<AnchoredRsi> create() { return AnchoredRsi(); }

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    const double d = x - prev_;
    prev_ = x;
    if (d > 0.0) gains_ = gains_ + d;
    if (d < 0.0) losses_ = losses_ + -d;
    if (losses_ == 0.0) return gains_ == 0.0 ? 50.0 : 100.0;
    return 100.0 - 100.0 / (gains_ / losses_ + 1.0);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  double gains_ = 0.0;
  double losses_ = 0.0;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

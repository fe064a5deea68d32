#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Price momentum oscillator. The one-bar rate of change roc = (x / previous - 1) * 100 (0 when the
/// previous close is zero) passes an exponential stage with alpha 2 / p1 seeded by its first value;
/// that result times 10 passes a second stage with alpha 2 / p2, seeded the same way.
class Pmo {
 public:
  /// Checks: both periods at least 2, then each smoothing constant 2 / p within (0, 1].
  static Expected<Pmo> create(std::uint64_t smoothing1, std::uint64_t smoothing2);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Pmo(std::uint64_t smoothing1, std::uint64_t smoothing2) noexcept
      : first_(1, alpha_of(smoothing1)), second_(1, alpha_of(smoothing2)) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    const double roc = prev_ == 0.0 ? 0.0 : (x / prev_ - 1.0) * 100.0;
    prev_ = x;
    const auto a = first_.update(roc);
    return second_.update(*a * 10.0);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

  /// The smoothing constant of a period: 2 / p.
  [[nodiscard]] static double alpha_of(std::uint64_t p) noexcept { return 2.0 / static_cast<double>(p); }

 private:
  ExpStage first_;
  ExpStage second_;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik

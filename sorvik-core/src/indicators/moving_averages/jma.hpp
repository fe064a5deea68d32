#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Jurik-style moving average: beta = 0.45 (n - 1) / (0.45 (n - 1) + 2), alpha = beta^power,
/// pr = clamp(phase / 100 + 1.5, 0.5, 2.5); three filter stages e0, e1, e2 around the value. The
/// first close is yielded unchanged.
class Jma {
 public:
  /// Checks: the period, then phase finite, then power within 1..4.
  static Expected<Jma> create(std::uint64_t period, double phase, std::uint32_t power);
  Jma(std::uint64_t period, double phase, std::uint32_t power) noexcept;

  std::optional<double> update(double x) noexcept;
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double alpha_;
  double beta_;
  double pr_;
  double e0_ = 0.0;
  double e1_ = 0.0;
  double e2_ = 0.0;
  double value_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik

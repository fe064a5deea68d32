#pragma once

#include <cstdint>
#include <optional>

#include "indicators/momentum/cmo.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Variable index dynamic average: an embedded `Cmo`(m) of the close sets k = |cmo| / 100 * alpha
/// with alpha = 2 / (n + 1); value = (1 - k) * prev + x * k (prev = the close on the first value).
class Vidya {
 public:
  /// Checks: n non-zero, then m (zero, MAX_PERIOD).
  static Expected<Vidya> create(std::uint64_t period, std::uint64_t cmo_period);
  Vidya(std::uint64_t period, std::uint64_t cmo_period) noexcept
      : alpha_(2.0 / (static_cast<double>(period) + 1.0)), cmo_(cmo_period) {}

  std::optional<double> update(double x);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return cmo_.warmup_period(); }

 private:
  double alpha_;
  Cmo cmo_;
  std::optional<double> value_;
};

}  // namespace sorvik

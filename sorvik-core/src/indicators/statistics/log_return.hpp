#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// ln(close / close p bars ago) over a window of p + 1 closes; closes that are not finite and
/// positive are skipped.
class LogReturn {
 public:
  static Expected<LogReturn> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit LogReturn(std::uint64_t period) : window_(static_cast<std::size_t>(period) + 1) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x) || !(x > 0.0)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    return std::log(x / window_.oldest());
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
};

}  // namespace sorvik

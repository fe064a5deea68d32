#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Win rate of the last n returns: the share of strictly positive returns, in [0, 1].
class WinRate {
 public:
  static Expected<WinRate> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit WinRate(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    const auto t = performance::tally(window_);
    return static_cast<double>(t.wins) / n_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Expectancy of the last n returns: their mean, the window summed oldest first from zero on every
/// update.
class Expectancy {
 public:
  static Expected<Expectancy> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit Expectancy(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    return window_sum(window_) / n_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik

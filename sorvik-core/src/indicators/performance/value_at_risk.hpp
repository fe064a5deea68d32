#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Historical value-at-risk of the last n returns at confidence c: at position g = (n - 1) · (1 - c)
/// of the sorted window, q = v_⌊g⌋ + (v_⌈g⌉ - v_⌊g⌋) · (g - ⌊g⌋), or v_⌊g⌋ itself when g is whole;
/// the answer is the loss -q when it is above 0, else +0 (never negative).
class ValueAtRisk {
 public:
  static Expected<ValueAtRisk> create(std::uint64_t period, double confidence);
  /// Precondition: the parameters passed `create`'s checks.
  ValueAtRisk(std::uint64_t period, double confidence)
      : window_(period), g_(static_cast<double>(period - 1) * (1.0 - confidence)) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push(r);
    if (!window_.full()) return std::nullopt;
    const auto& v = window_.sorted();
    const double lo = std::floor(g_);
    const double hi = std::ceil(g_);
    const auto i = static_cast<std::size_t>(lo);
    const auto j = static_cast<std::size_t>(hi);
    const double q = i == j ? v[i] : v[i] + (v[j] - v[i]) * (g_ - lo);
    const double loss = -q;
    return loss > 0.0 ? loss : 0.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
  double g_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Conditional value-at-risk of the last n returns at confidence c: m = the mean of the k smallest
/// returns, k = max(1, ⌊n · (1 - c)⌋), added in ascending order from zero; the answer is the loss -m
/// when it is above 0, else +0 (never negative).
class ConditionalValueAtRisk {
 public:
  static Expected<ConditionalValueAtRisk> create(std::uint64_t period, double confidence);
  /// Precondition: the parameters passed `create`'s checks.
  ConditionalValueAtRisk(std::uint64_t period, double confidence)
      : window_(period), k_(tail_count(period, confidence)) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push(r);
    if (!window_.full()) return std::nullopt;
    const auto& v = window_.sorted();
    double sum = 0.0;
    for (std::size_t i = 0; i < k_; ++i) sum = sum + v[i];
    const double loss = -(sum / static_cast<double>(k_));
    return loss > 0.0 ? loss : 0.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  /// max(1, ⌊n · (1 - c)⌋), never above n.
  static std::size_t tail_count(std::uint64_t n, double c) noexcept {
    const double k = std::floor(static_cast<double>(n) * (1.0 - c));
    if (!(k >= 1.0)) return 1;
    if (k >= static_cast<double>(n)) return static_cast<std::size_t>(n);
    return static_cast<std::size_t>(k);
  }

  SortedWindow window_;
  std::size_t k_;
};

}  // namespace sorvik

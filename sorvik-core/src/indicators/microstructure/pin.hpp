#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Probability-of-informed-trading proxy |2·b − n|/n, b the number of buys among the last n trades.
class Pin {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Pin> create(std::uint64_t period);
  explicit Pin(std::uint64_t period) : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(std::span<const Trade> trades) {
    if (trades.empty()) return std::nullopt;
    for (const Trade& t : trades) {
      const std::uint8_t buy = t.side == Side::Buy ? 1 : 0;
      buys_ += buy;
      if (auto old = window_.push(buy)) buys_ -= *old;
    }
    if (!window_.full()) return std::nullopt;
    return std::fabs(2.0 * static_cast<double>(buys_) - n_) / n_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<std::uint8_t> window_;
  double n_;
  std::uint64_t buys_ = 0;
};

}  // namespace sorvik

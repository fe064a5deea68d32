#pragma once

#include <cstdint>
#include <optional>

#include "indicators/bands/atr.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Normalised ATR: atr / close * 100; 0 on a zero close (no finite percentage exists there).
class Natr {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Natr> create(std::uint64_t period);
  explicit Natr(std::uint64_t period) noexcept : atr_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    if (c.close == 0.0) return 0.0;
    return *atr / c.close * 100.0;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
};

}  // namespace sorvik

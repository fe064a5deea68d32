#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Initial balance: the highest high and lowest low of the first n candles of the run, widened on
/// each of those candles and frozen afterwards. Yields on every candle from the first.
class InitialBalance {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"high", "low"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<InitialBalance> create(std::uint64_t period);
  explicit InitialBalance(std::uint64_t period) noexcept : period_(period) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    if (seen_ < period_) {
      if (c.high > high_) high_ = c.high;
      if (c.low < low_) low_ = c.low;
      ++seen_;
    }
    return std::array<double, 2>{high_, low_};
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 1; }

  [[nodiscard]] double high() const noexcept { return high_; }
  [[nodiscard]] double low() const noexcept { return low_; }

 private:
  std::uint64_t period_;
  std::uint64_t seen_ = 0;
  double high_ = -std::numeric_limits<double>::infinity();
  double low_ = std::numeric_limits<double>::infinity();
};

}  // namespace sorvik

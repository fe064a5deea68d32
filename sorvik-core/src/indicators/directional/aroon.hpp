#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Aroon over the last n + 1 candles: with index 0 the oldest and n the newest, "up" =
/// (index of the highest high * 100) / n and "down" = (index of the lowest low * 100) / n. On ties
/// the most recent bar wins. Yields from bar n + 1; the primary value is "up".
class Aroon {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"up", "down"};

  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Aroon> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Aroon(std::uint64_t period) noexcept
      : n_(static_cast<double>(period)), bars_(static_cast<std::size_t>(period) + 1) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    bars_.push_discard({c.high, c.low});
    if (!bars_.full()) return std::nullopt;
    // Scan oldest to newest; a high not below (a low not above) the running extreme takes over.
    std::size_t i = 0;
    std::size_t high_idx = 0;
    std::size_t low_idx = 0;
    double highest = 0.0;
    double lowest = 0.0;
    bars_.for_each([&](const HighLow& b) {
      if (i == 0 || b.high >= highest) {
        highest = b.high;
        high_idx = i;
      }
      if (i == 0 || b.low <= lowest) {
        lowest = b.low;
        low_idx = i;
      }
      ++i;
    });
    return std::array<double, 2>{(static_cast<double>(high_idx) * 100.0) / n_,
                                 (static_cast<double>(low_idx) * 100.0) / n_};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bars_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  double n_;
  Window<HighLow> bars_;
};

}  // namespace sorvik

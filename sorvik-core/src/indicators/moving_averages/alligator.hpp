#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/smma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The three Wilder (divide form) averages of the candle's midpoint(high, low) behind the Alligator
/// and the Gator oscillator; answers {jaw, teeth, lips} once all three are ready.
class AlligatorLines {
 public:
  /// Checks: jaw, teeth, lips periods in that order.
  static std::optional<IndicatorError> check(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips) noexcept {
    for (std::uint64_t p : {jaw, teeth, lips}) {
      if (auto err = check_period(p)) return err;
    }
    return std::nullopt;
  }
  AlligatorLines(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips) noexcept
      : jaw_(jaw), teeth_(teeth), lips_(lips) {}

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    const double mid = midpoint(c.high, c.low);
    const auto j = jaw_.update(mid);
    const auto t = teeth_.update(mid);
    const auto l = lips_.update(mid);
    if (!j || !t || !l) return std::nullopt;
    return std::array<double, 3>{*j, *t, *l};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return std::max({jaw_.warmup_period(), teeth_.warmup_period(), lips_.warmup_period()});
  }

 private:
  Smma jaw_;
  Smma teeth_;
  Smma lips_;
};

/// Bill Williams' Alligator without forward displacement: "jaw", "teeth", "lips".
class Alligator {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"jaw", "teeth", "lips"};
  static Expected<Alligator> create(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips);
  Alligator(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips) noexcept : lines_(jaw, teeth, lips) {}

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept { return lines_.update(c); }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return lines_.warmup_period(); }

 private:
  AlligatorLines lines_;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/directional/directional_movement.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Average directional index: the DX of each bar (from the (n + 1)-th) feeds a Wilder average in
/// divide form, seeded with the mean of the first n DX values. Yields "plus_di", "minus_di" and
/// "adx" from bar 2n on; the primary value is "plus_di".
class Adx {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"plus_di", "minus_di", "adx"};

  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Adx> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Adx(std::uint64_t period) noexcept : dm_(period), adx_(period) {}

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    if (!dm_.update(c)) return std::nullopt;
    const double plus_di = dm_.plus_di();
    const double minus_di = dm_.minus_di();
    const auto adx = adx_.update(directional::directional_movement_index(plus_di, minus_di));
    if (!adx) return std::nullopt;
    return std::array<double, 3>{plus_di, minus_di, *adx};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_mul(2, dm_.period()); }

 private:
  directional::DirectionalMovement dm_;
  WilderStage adx_;
};

}  // namespace sorvik

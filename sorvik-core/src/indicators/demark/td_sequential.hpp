#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/demark/td_counting.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD sequential: the setup on the close a bars back sets the direction once a run reaches S; in
/// that direction the countdown counts closes at or beyond the low (buy) or high (sell) of the candle
/// b bars back, up to N, the completing bar qualified against the close of count N - 5. Yields the
/// signed setup count, the signed countdown and the direction.
class TdSequential {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"setup", "countdown", "direction"};

  /// Checks: a zero in any of the four lengths.
  static Expected<TdSequential> create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                       std::uint64_t countdown_lookback, std::uint64_t countdown_length);
  /// Precondition: all positive.
  TdSequential(std::uint64_t setup_lookback, std::uint64_t setup_length, std::uint64_t countdown_lookback,
               std::uint64_t countdown_length) noexcept
      : engine_(setup_lookback, setup_length, countdown_lookback, countdown_length) {}

  std::optional<std::array<double, 3>> update(const Candle& c) {
    if (!engine_.update(c)) return std::nullopt;
    return std::array<double, 3>{engine_.setup(), engine_.countdown(), engine_.direction()};
  }

  /// max(setup_lookback, countdown_lookback) + 1, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return engine_.warmup_period(); }

 private:
  td::CountdownEngine<td::CountdownRule::Qualified> engine_;
};

}  // namespace sorvik

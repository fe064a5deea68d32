#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_counting.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD countdown: the machinery of TD sequential (setup on the close a bars back, direction,
/// qualified countdown on the candle b bars back), yielding only the signed countdown: +buy count in
/// buy direction, -sell count in sell direction, 0 without direction.
class TdCountdown {
 public:
  /// Checks: a zero in any of the four lengths.
  static Expected<TdCountdown> create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                      std::uint64_t countdown_lookback, std::uint64_t countdown_length);
  /// Precondition: all positive.
  TdCountdown(std::uint64_t setup_lookback, std::uint64_t setup_length, std::uint64_t countdown_lookback,
              std::uint64_t countdown_length) noexcept
      : engine_(setup_lookback, setup_length, countdown_lookback, countdown_length) {}

  std::optional<double> update(const Candle& c) {
    if (!engine_.update(c)) return std::nullopt;
    return engine_.countdown();
  }

  /// max(setup_lookback, countdown_lookback) + 1, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return engine_.warmup_period(); }

 private:
  td::CountdownEngine<td::CountdownRule::Qualified> engine_;
};

}  // namespace sorvik

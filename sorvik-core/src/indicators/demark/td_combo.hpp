#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_counting.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD combo: the setup and direction of TD sequential with the combo countdown (no qualifier): in
/// buy direction a bar counts when C < C[1], C <= the low of the candle b bars back and L <= L[1];
/// in sell direction when C > C[1], C >= the high b bars back and H >= H[1]. Yields +buy count, -sell
/// count, or 0 without direction.
class TdCombo {
 public:
  /// Checks: a zero in any of the four lengths.
  static Expected<TdCombo> create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                  std::uint64_t countdown_lookback, std::uint64_t countdown_length);
  /// Precondition: all positive.
  TdCombo(std::uint64_t setup_lookback, std::uint64_t setup_length, std::uint64_t countdown_lookback,
          std::uint64_t countdown_length) noexcept
      : engine_(setup_lookback, setup_length, countdown_lookback, countdown_length) {}

  std::optional<double> update(const Candle& c) {
    if (!engine_.update(c)) return std::nullopt;
    return engine_.countdown();
  }

  /// max(setup_lookback, countdown_lookback) + 1, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return engine_.warmup_period(); }

 private:
  td::CountdownEngine<td::CountdownRule::Combo> engine_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_counting.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD setup: each close is compared with the close n bars earlier; the run of closes below it counts
/// up the buy setup, the run above it the sell setup, each up to the length S. Yields +buy count on
/// a buy-setup bar, -sell count on a sell-setup bar and 0 on an equal close.
class TdSetup {
 public:
  /// Checks: lookback, then length (zero only).
  static Expected<TdSetup> create(std::uint64_t lookback, std::uint64_t length);
  /// Precondition: both positive.
  TdSetup(std::uint64_t lookback, std::uint64_t length) noexcept
      : closes_(static_cast<std::size_t>(lookback)), run_(length) {}

  std::optional<double> update(const Candle& c) {
    if (!closes_.full()) {
      closes_.push_discard(c.close);
      return std::nullopt;
    }
    run_.step(c.close, closes_.oldest());
    closes_.push_discard(c.close);
    return run_.signed_count();
  }

  /// lookback + 1, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(closes_.capacity(), 1); }

 private:
  Window<double> closes_;
  td::SetupRun run_;
};

}  // namespace sorvik

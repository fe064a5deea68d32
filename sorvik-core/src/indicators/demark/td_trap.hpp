#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_signal.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD trap: when the previous candle lies inside the one before it (H[1] < H[2] and L[1] > L[2]),
/// +1 for a close above H[1] and -1 for a close below L[1] (the bullish side is tested first); else 0.
class TdTrap {
 public:
  static Expected<TdTrap> create() { return TdTrap(); }

  std::optional<double> update(const Candle& c) noexcept { return history_.step(c, &signal); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  static double signal(const Candle& c, const Candle& p1, const Candle& p2) noexcept {
    if (!(p1.high < p2.high && p1.low > p2.low)) return 0.0;
    if (c.close > p1.high) return 1.0;
    if (c.close < p1.low) return -1.0;
    return 0.0;
  }

  td::PreviousCandles<2> history_;
};

}  // namespace sorvik

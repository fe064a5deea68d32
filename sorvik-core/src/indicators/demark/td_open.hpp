#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_signal.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD open: +1 when the bar opens below the previous low and trades back above it, -1 when it opens
/// above the previous high and trades back below it, else 0.
class TdOpen {
 public:
  static Expected<TdOpen> create() { return TdOpen(); }

  std::optional<double> update(const Candle& c) noexcept { return history_.step(c, &signal); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  static double signal(const Candle& c, const Candle& p) noexcept {
    if (c.open < p.low && c.high > p.low) return 1.0;
    if (c.open > p.high && c.low < p.high) return -1.0;
    return 0.0;
  }

  td::PreviousCandles<1> history_;
};

}  // namespace sorvik

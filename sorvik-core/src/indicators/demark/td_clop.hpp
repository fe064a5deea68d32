#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_signal.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD clop: +1 when the bar opens below the previous open and close and closes above both, -1 when
/// it opens above both and closes below both, else 0.
class TdClop {
 public:
  static Expected<TdClop> create() { return TdClop(); }

  std::optional<double> update(const Candle& c) noexcept { return history_.step(c, &signal); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  static double signal(const Candle& c, const Candle& p) noexcept {
    const bool bullish = c.open < p.open && c.open < p.close && c.close > p.open && c.close > p.close;
    const bool bearish = c.open > p.open && c.open > p.close && c.close < p.open && c.close < p.close;
    // The two sides exclude each other (O < O[1] against O > O[1]): the order of the tests is free.
    if (bullish) return 1.0;
    if (bearish) return -1.0;
    return 0.0;
  }

  td::PreviousCandles<1> history_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_signal.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD propulsion: +1 when O >= C[1] and C > H[1]; -1 when O <= C[1] and C < L[1] (the bullish side
/// is tested first); else 0.
class TdPropulsion {
 public:
  static Expected<TdPropulsion> create() { return TdPropulsion(); }

  std::optional<double> update(const Candle& c) noexcept { return history_.step(c, &signal); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  static double signal(const Candle& c, const Candle& p) noexcept {
    if (c.open >= p.close && c.close > p.high) return 1.0;
    if (c.open <= p.close && c.close < p.low) return -1.0;
    return 0.0;
  }

  td::PreviousCandles<1> history_;
};

}  // namespace sorvik

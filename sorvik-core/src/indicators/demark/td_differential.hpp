#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "indicators/demark/td_signal.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD differential: with a bar's selling pressure sp = max(H, C[1]) - C and buying pressure
/// bp = C - min(L, C[1]) (the previous bar's formed with C[2]): +1 when C[2] > C[1] > C, sp < sp[1]
/// and bp > bp[1]; -1 when C[2] < C[1] < C, sp > sp[1] and bp < bp[1]; else 0.
class TdDifferential {
 public:
  static Expected<TdDifferential> create() { return TdDifferential(); }

  std::optional<double> update(const Candle& c) noexcept { return history_.step(c, &signal); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  static double signal(const Candle& c, const Candle& p1, const Candle& p2) noexcept {
    const double sp = std::max(c.high, p1.close) - c.close;
    const double bp = c.close - std::min(c.low, p1.close);
    const double sp1 = std::max(p1.high, p2.close) - p1.close;
    const double bp1 = p1.close - std::min(p1.low, p2.close);
    if (p2.close > p1.close && p1.close > c.close && sp < sp1 && bp > bp1) return 1.0;
    if (p2.close < p1.close && p1.close < c.close && sp > sp1 && bp < bp1) return -1.0;
    return 0.0;
  }

  td::PreviousCandles<2> history_;
};

}  // namespace sorvik

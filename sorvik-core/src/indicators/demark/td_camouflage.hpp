#pragma once

#include <cstdint>
#include <optional>

#include "indicators/demark/td_signal.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD camouflage: +1 when C < C[1], C > O and L < L[1]; -1 when C > C[1], C < O and H > H[1];
/// else 0.
class TdCamouflage {
 public:
  static Expected<TdCamouflage> create() { return TdCamouflage(); }

  std::optional<double> update(const Candle& c) noexcept { return history_.step(c, &signal); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  static double signal(const Candle& c, const Candle& p) noexcept {
    if (c.close < p.close && c.close > c.open && c.low < p.low) return 1.0;
    if (c.close > p.close && c.close < c.open && c.high > p.high) return -1.0;
    return 0.0;
  }

  td::PreviousCandles<1> history_;
};

}  // namespace sorvik

#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "indicators/demark/td_signal.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD clopwin: when the bar's open and close both lie within the previous body [min(O[1], C[1]),
/// max(O[1], C[1])], +1 for C >= O and -1 for C < O; else 0.
class TdClopwin {
 public:
  static Expected<TdClopwin> create() { return TdClopwin(); }

  std::optional<double> update(const Candle& c) noexcept { return history_.step(c, &signal); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  static double signal(const Candle& c, const Candle& p) noexcept {
    const double lo = std::min(p.open, p.close);
    const double hi = std::max(p.open, p.close);
    const bool inside = c.open >= lo && c.open <= hi && c.close >= lo && c.close <= hi;
    if (!inside) return 0.0;
    return c.close >= c.open ? 1.0 : -1.0;
  }

  td::PreviousCandles<1> history_;
};

}  // namespace sorvik

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Tower top or bottom over three candles: a long-bodied first candle (body at least half its
/// positive range), a small middle one (body at most 0.3 of its range, or no range) and a long-bodied
/// current candle with a positive range. -1 when the first rose and the current does not rise; +1 when
/// the first did not rise and the current rises; else 0.
class TowerTopBottom {
 public:
  static Expected<TowerTopBottom> create() { return TowerTopBottom(); }

  std::optional<double> update(const Candle& c) noexcept {
    const Candle first = first_;
    const Candle middle = middle_;
    const std::uint64_t seen = seen_;
    first_ = middle_;
    middle_ = c;
    if (seen_ < 2) ++seen_;
    if (seen < 2) return std::nullopt;

    const bool towers = range(c) > 0.0 && range(first) > 0.0 && body_ratio(first) >= 0.5 &&
                        (!(range(middle) > 0.0) || body_ratio(middle) <= 0.3) && body_ratio(c) >= 0.5;
    if (!towers) return 0.0;
    const bool first_rose = first.open < first.close;
    const bool current_rises = c.open < c.close;
    if (first_rose && !current_rises) return -1.0;
    if (!first_rose && current_rises) return 1.0;
    return 0.0;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 3; }

 private:
  static double range(const Candle& k) noexcept { return k.high - k.low; }
  static double body_ratio(const Candle& k) noexcept { return std::fabs(k.close - k.open) / range(k); }

  Candle first_{};
  Candle middle_{};
  std::uint64_t seen_ = 0;
};

}  // namespace sorvik

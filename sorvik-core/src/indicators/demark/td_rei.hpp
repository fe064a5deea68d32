#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD range expansion index. With the previous eight candles held, a bar's move
/// w = (H - H[2]) + (L - L[2]) counts when its range overlaps the lows/highs five or six bars back,
/// or the bar two back overlaps the closes seven or eight bars back (else w = 0); its size is
/// a = |L - L[2]| + |H - H[2]|. Over the last n bars, J = sum of w and Q = sum of a (oldest first);
/// the value is J * 100 / Q clamped to [-100, 100], or 0 when Q is exactly zero. The sums are formed
/// afresh on every bar, so an update costs O(n).
class TdRei {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<TdRei> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit TdRei(std::uint64_t period) noexcept
      : bars_(8), moves_(static_cast<std::size_t>(period)), sizes_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    const Bar now{c.high, c.low, c.close};
    if (!bars_.full()) {
      bars_.push_discard(now);
      return std::nullopt;
    }
    // X[k] is the candle k bars before the current one.
    auto at = [this](std::size_t k) -> const Bar& { return bars_.back(k - 1); };
    const bool flag = (now.high >= at(5).low || now.high >= at(6).low) &&
                      (now.low <= at(5).high || now.low <= at(6).high);
    const bool keep = flag || ((at(2).high >= at(7).close || at(2).high >= at(8).close) &&
                               (at(2).low <= at(7).close || at(2).low <= at(8).close));
    const double dh = now.high - at(2).high;
    const double dl = now.low - at(2).low;
    moves_.push_discard(keep ? dh + dl : 0.0);
    sizes_.push_discard(std::fabs(dl) + std::fabs(dh));
    bars_.push_discard(now);
    if (!moves_.full()) return std::nullopt;
    const double j = window_sum(moves_);
    const double q = window_sum(sizes_);
    if (q == 0.0) return 0.0;
    return std::clamp((j * 100.0) / q, -100.0, 100.0);
  }

  /// period + 8, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(moves_.capacity(), 8); }

 private:
  struct Bar {
    double high;
    double low;
    double close;
  };

  Window<Bar> bars_;
  Window<double> moves_;
  Window<double> sizes_;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/typical_price.hpp"
#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume-weighted average of the typical price over the current local date's session: with
/// tp = (H + L + C) / 3, pv = V tp + pv and v = V + v, restarted by each new date; the value is
/// pv / v when v > 0, else tp. Yields on every candle.
class SessionVwap {
 public:
  /// No checks beyond the decoding of the offset.
  static Expected<SessionVwap> create(std::int32_t utc_offset_minutes);
  explicit SessionVwap(std::int32_t utc_offset_minutes) noexcept : clock_(utc_offset_minutes) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (clock_.advance(c.time)) {
      pv_ = 0.0;
      v_ = 0.0;
    }
    const double tp = *TypicalPrice::update(c);
    pv_ = c.volume * tp + pv_;
    v_ = c.volume + v_;
    return v_ > 0.0 ? pv_ / v_ : tp;
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 1; }

 private:
  profiles::SessionClock clock_;
  double pv_ = 0.0;
  double v_ = 0.0;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Overnight gap: on the first candle of each new local date, when a previous close exists, the gap
/// becomes O / (previous close) - 1 (0 when that close is exactly 0); every candle then records its
/// close. Yields the latest gap once the first one exists.
class OvernightGap {
 public:
  /// No checks beyond the decoding of the offset.
  static Expected<OvernightGap> create(std::int32_t utc_offset_minutes);
  explicit OvernightGap(std::int32_t utc_offset_minutes) noexcept : clock_(utc_offset_minutes) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (clock_.advance(c.time) && previous_close_) {
      gap_ = *previous_close_ == 0.0 ? 0.0 : c.open / *previous_close_ - 1.0;
    }
    previous_close_ = c.close;
    return gap_;
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 2; }

 private:
  profiles::SessionClock clock_;
  std::optional<double> previous_close_;
  std::optional<double> gap_;
};

}  // namespace sorvik

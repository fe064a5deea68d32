#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The highest high and lowest low of the current local date's session, restarted by the first
/// candle of each new date. Yields on every candle.
class SessionHighLow {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"high", "low"};
  /// No checks beyond the decoding of the offset.
  static Expected<SessionHighLow> create(std::int32_t utc_offset_minutes);
  explicit SessionHighLow(std::int32_t utc_offset_minutes) noexcept : clock_(utc_offset_minutes) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    if (clock_.advance(c.time)) {
      high_ = c.high;
      low_ = c.low;
    } else {
      if (c.high > high_) high_ = c.high;
      if (c.low < low_) low_ = c.low;
    }
    return std::array<double, 2>{high_, low_};
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 1; }

 private:
  profiles::SessionClock clock_;
  double high_ = 0.0;
  double low_ = 0.0;
};

}  // namespace sorvik

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Overnight and intraday returns. On the first candle of a new local date, when a previous close
/// exists, overnight = O / (previous close) - 1 (0 when that close is 0) and the session open becomes
/// O; on every candle once overnight exists, intraday = C / (session open) - 1 (0 when the open is
/// 0). Every candle records its close as the previous close.
class OvernightIntradayReturn {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"overnight", "intraday"};
  /// No checks beyond the decoding of the offset.
  static Expected<OvernightIntradayReturn> create(std::int32_t utc_offset_minutes);
  explicit OvernightIntradayReturn(std::int32_t utc_offset_minutes) noexcept : clock_(utc_offset_minutes) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    if (clock_.advance(c.time) && previous_close_) {
      overnight_ = *previous_close_ == 0.0 ? 0.0 : c.open / *previous_close_ - 1.0;
      session_open_ = c.open;
    }
    previous_close_ = c.close;
    if (!overnight_) return std::nullopt;
    const double intraday = session_open_ == 0.0 ? 0.0 : c.close / session_open_ - 1.0;
    return std::array<double, 2>{*overnight_, intraday};
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 2; }

 private:
  profiles::SessionClock clock_;
  std::optional<double> previous_close_;
  std::optional<double> overnight_;
  double session_open_ = 0.0;
};

}  // namespace sorvik

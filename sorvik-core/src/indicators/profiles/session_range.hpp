#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Ranges of the three sub-sessions of the current local date by local hour: 0 to 7 asia, 8 to 15
/// eu, 16 to 23 us. A new date empties all three; each candle widens the sub-session of its hour.
/// Each output is high - low of its sub-session, 0 while it has no candle. Yields on every candle.
class SessionRange {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"asia", "eu", "us"};
  /// No checks beyond the decoding of the offset.
  static Expected<SessionRange> create(std::int32_t utc_offset_minutes);
  explicit SessionRange(std::int32_t utc_offset_minutes) noexcept : clock_(utc_offset_minutes) {}

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    if (clock_.advance(c.time)) parts_ = {};
    Part& part = parts_[static_cast<std::size_t>(clock_.now().hour / 8)];
    if (c.high > part.high) part.high = c.high;
    if (c.low < part.low) part.low = c.low;
    part.seen = true;
    return std::array<double, 3>{parts_[0].range(), parts_[1].range(), parts_[2].range()};
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 1; }

 private:
  struct Part {
    double high = -std::numeric_limits<double>::infinity();
    double low = std::numeric_limits<double>::infinity();
    bool seen = false;
    [[nodiscard]] double range() const noexcept { return seen ? high - low : 0.0; }
  };

  profiles::SessionClock clock_;
  std::array<Part, 3> parts_{};
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Mean daily return of the turn-of-month days. When a candle opens a new local date, the date
/// before it (when a close before that date exists) is a turn-of-month day when its day of month D
/// satisfies D <= first_days or D > M - last_days (M its month's length, M - last_days taken as 0
/// when last_days exceeds M); such a day adds its return, last close / reference close - 1 (0 when
/// the reference is 0), to the total and counts once. The last close then becomes the reference.
/// Yields total / count once a day has counted.
class TurnOfMonth {
 public:
  /// No checks beyond the decoding of the parameters.
  static Expected<TurnOfMonth> create(std::uint32_t first_days, std::uint32_t last_days,
                                      std::int32_t utc_offset_minutes);
  TurnOfMonth(std::uint32_t first_days, std::uint32_t last_days, std::int32_t utc_offset_minutes) noexcept
      : first_days_(first_days), last_days_(last_days), clock_(utc_offset_minutes) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (clock_.advance(c.time) && clock_.has_previous()) {
      if (reference_close_) {
        const profiles::CivilDate date = profiles::civil_from_days(clock_.previous_day());
        const unsigned length = profiles::month_length(date.year, date.month);
        const unsigned late_from = last_days_ > length ? 0 : length - last_days_;
        if (date.day <= first_days_ || date.day > late_from) {
          const double r = *reference_close_ == 0.0 ? 0.0 : last_close_ / *reference_close_ - 1.0;
          total_ = total_ + r;
          ++count_;
        }
      }
      reference_close_ = last_close_;
    }
    last_close_ = c.close;
    if (count_ == 0) return std::nullopt;
    return total_ / static_cast<double>(count_);
  }
  [[nodiscard]] static constexpr std::uint64_t warmup_period() noexcept { return 2; }

 private:
  std::uint32_t first_days_;
  std::uint32_t last_days_;
  profiles::SessionClock clock_;
  double last_close_ = 0.0;
  std::optional<double> reference_close_;
  double total_ = 0.0;
  std::uint64_t count_ = 0;
};

}  // namespace sorvik

#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Average daily range: the mean range (high - low) of the last n completed days. A candle's day is
/// floor((floor(time / 1000) + offset * 60) / 86400), time in milliseconds, offset in minutes. From
/// the first completed day on, every candle yields sum / (days held, at most n); the current day
/// does not count.
class AverageDailyRange {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AverageDailyRange> create(std::uint64_t period, std::int32_t offset_minutes);
  AverageDailyRange(std::uint64_t period, std::int32_t offset_minutes) noexcept
      : ranges_(static_cast<std::size_t>(period)), offset_seconds_(std::int64_t{offset_minutes} * 60) {}

  std::optional<double> update(const Candle& c) {
    const std::int64_t day = day_of(c.time);
    if (!in_day_) {
      start_day(day, c);
    } else if (day != day_) {
      // The finished day enters the window: sum = range + sum, then the dropped range leaves.
      const double range = high_ - low_;
      const auto dropped = ranges_.push(range);
      sum_ = range + sum_;
      if (dropped) sum_ = sum_ - *dropped;
      start_day(day, c);
    } else {
      if (c.high > high_) high_ = c.high;
      if (c.low < low_) low_ = c.low;
    }
    if (ranges_.empty()) return std::nullopt;
    return sum_ / static_cast<double>(ranges_.size());
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return ranges_.capacity(); }

  /// The day number of a millisecond timestamp (both divisions round down).
  [[nodiscard]] std::int64_t day_of(std::int64_t time_ms) const noexcept {
    return floor_div(floor_div(time_ms, 1000) + offset_seconds_, 86400);
  }

 private:
  static constexpr std::int64_t floor_div(std::int64_t a, std::int64_t b) noexcept {
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
  }
  void start_day(std::int64_t day, const Candle& c) noexcept {
    day_ = day;
    high_ = c.high;
    low_ = c.low;
    in_day_ = true;
  }

  Window<double> ranges_;
  std::int64_t offset_seconds_;
  double sum_ = 0.0;
  std::int64_t day_ = 0;
  double high_ = 0.0;
  double low_ = 0.0;
  bool in_day_ = false;
};

}  // namespace sorvik

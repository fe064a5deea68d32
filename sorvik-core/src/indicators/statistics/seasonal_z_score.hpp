#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// z-score of the bar's return (close / previous close - 1) against the returns seen earlier in the
/// same local hour of day (a running Welford mean and variance per hour, divisor count - 1). The hour
/// is taken from the candle time in milliseconds shifted by the UTC offset in minutes. An hour answers
/// from its third bar on (the statistics before the bar's own return is added).
class SeasonalZScore {
 public:
  static Expected<SeasonalZScore> create(std::int32_t utc_offset_minutes);
  explicit SeasonalZScore(std::int32_t utc_offset_minutes) noexcept
      : offset_seconds_(static_cast<std::int64_t>(utc_offset_minutes) * 60) {}

  std::optional<double> update(const Candle& c);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

  /// The local hour of day (0..23) of a candle time in milliseconds.
  [[nodiscard]] std::uint32_t hour_of(std::int64_t time_ms) const noexcept;

 private:
  struct Bucket {
    std::uint64_t count = 0;
    double mean = 0.0;
    double m2 = 0.0;
  };

  std::int64_t offset_seconds_;
  std::optional<double> previous_close_;
  std::array<Bucket, 24> buckets_{};
};

}  // namespace sorvik

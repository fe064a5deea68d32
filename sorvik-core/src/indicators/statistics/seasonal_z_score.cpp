#include "indicators/statistics/seasonal_z_score.hpp"

#include <cmath>

namespace sorvik {

Expected<SeasonalZScore> SeasonalZScore::create(std::int32_t utc_offset_minutes) {
  return SeasonalZScore(utc_offset_minutes);
}

std::uint32_t SeasonalZScore::hour_of(std::int64_t time_ms) const noexcept {
  std::int64_t seconds = time_ms / 1000;
  if (time_ms % 1000 != 0 && time_ms < 0) --seconds;  // floor division
  const std::int64_t local = seconds + offset_seconds_;
  std::int64_t in_day = local % 86400;
  if (in_day < 0) in_day += 86400;
  return static_cast<std::uint32_t>(in_day / 3600);
}

std::optional<double> SeasonalZScore::update(const Candle& c) {
  if (check_candle(c)) return std::nullopt;
  if (!previous_close_) {
    previous_close_ = c.close;
    return std::nullopt;
  }
  const double prev = *previous_close_;
  const double r = prev == 0.0 ? 0.0 : c.close / prev - 1.0;
  Bucket& b = buckets_[hour_of(c.time)];
  const std::uint64_t count_before = b.count;
  double z = 0.0;
  if (b.count > 1) {
    const double var = b.m2 / (static_cast<double>(b.count) - 1.0);
    if (var > 0.0) z = (r - b.mean) / std::sqrt(var);
  }
  b.count += 1;
  const double old_mean = b.mean;
  b.mean = b.mean + (r - b.mean) / static_cast<double>(b.count);
  b.m2 = b.m2 + (r - b.mean) * (r - old_mean);
  previous_close_ = c.close;
  if (count_before < 2) return std::nullopt;
  return z;
}

}  // namespace sorvik

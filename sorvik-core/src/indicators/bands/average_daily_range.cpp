#include "indicators/bands/average_daily_range.hpp"

namespace sorvik {

Expected<AverageDailyRange> AverageDailyRange::create(std::uint64_t period, std::int32_t offset_minutes) {
  if (auto err = check_period(period)) return fail(*err);
  return AverageDailyRange(period, offset_minutes);
}

}  // namespace sorvik

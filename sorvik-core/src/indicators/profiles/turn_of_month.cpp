#include "indicators/profiles/turn_of_month.hpp"

namespace sorvik {

Expected<TurnOfMonth> TurnOfMonth::create(std::uint32_t first_days, std::uint32_t last_days,
                                          std::int32_t utc_offset_minutes) {
  return TurnOfMonth(first_days, last_days, utc_offset_minutes);
}

}  // namespace sorvik

#include "indicators/profiles/overnight_gap.hpp"

namespace sorvik {

Expected<OvernightGap> OvernightGap::create(std::int32_t utc_offset_minutes) {
  return OvernightGap(utc_offset_minutes);
}

}  // namespace sorvik

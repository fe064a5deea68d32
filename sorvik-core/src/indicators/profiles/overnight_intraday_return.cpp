#include "indicators/profiles/overnight_intraday_return.hpp"

namespace sorvik {

Expected<OvernightIntradayReturn> OvernightIntradayReturn::create(std::int32_t utc_offset_minutes) {
  return OvernightIntradayReturn(utc_offset_minutes);
}

}  // namespace sorvik

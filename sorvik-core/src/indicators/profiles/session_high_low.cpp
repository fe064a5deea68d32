#include "indicators/profiles/session_high_low.hpp"

namespace sorvik {

Expected<SessionHighLow> SessionHighLow::create(std::int32_t utc_offset_minutes) {
  return SessionHighLow(utc_offset_minutes);
}

}  // namespace sorvik

#include "indicators/profiles/session_range.hpp"

namespace sorvik {

Expected<SessionRange> SessionRange::create(std::int32_t utc_offset_minutes) {
  return SessionRange(utc_offset_minutes);
}

}  // namespace sorvik

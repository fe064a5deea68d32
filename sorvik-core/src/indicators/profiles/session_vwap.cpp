#include "indicators/profiles/session_vwap.hpp"

namespace sorvik {

Expected<SessionVwap> SessionVwap::create(std::int32_t utc_offset_minutes) {
  return SessionVwap(utc_offset_minutes);
}

}  // namespace sorvik

#include "indicators/derivatives_breadth/calendar_spread.hpp"

namespace sorvik {

Expected<CalendarSpread> CalendarSpread::create() {
  return CalendarSpread();
}

}  // namespace sorvik

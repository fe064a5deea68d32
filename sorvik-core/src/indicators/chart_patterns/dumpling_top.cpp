#include "indicators/chart_patterns/dumpling_top.hpp"

namespace sorvik {

Expected<DumplingTop> DumplingTop::create(std::uint64_t period) {
  if (period < 5) return fail(IndicatorError::invalid_period("dumpling top needs period >= 5"));
  if (auto err = check_max_period(period)) return fail(*err);
  return DumplingTop(period);
}

}  // namespace sorvik

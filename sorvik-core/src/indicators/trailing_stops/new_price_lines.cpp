#include "indicators/trailing_stops/new_price_lines.hpp"

namespace sorvik {

Expected<NewPriceLines> NewPriceLines::create(std::uint64_t count) {
  if (count < 2) return fail(IndicatorError::invalid_period("new price lines count must be >= 2"));
  return NewPriceLines(count);
}

}  // namespace sorvik

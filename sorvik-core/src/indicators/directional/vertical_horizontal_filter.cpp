#include "indicators/directional/vertical_horizontal_filter.hpp"

namespace sorvik {

Expected<VerticalHorizontalFilter> VerticalHorizontalFilter::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return VerticalHorizontalFilter(period);
}

}  // namespace sorvik

#include "indicators/cycles/highpass_filter.hpp"

namespace sorvik {

Expected<HighpassFilter> HighpassFilter::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return HighpassFilter(period);
}

}  // namespace sorvik

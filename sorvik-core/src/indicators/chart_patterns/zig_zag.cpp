#include "indicators/chart_patterns/zig_zag.hpp"

namespace sorvik {

Expected<ZigZag> ZigZag::create(double threshold) {
  if (!(threshold > 0.0 && threshold < 1.0)) {
    return fail(IndicatorError::invalid_period("ZigZag threshold must be a finite fraction in (0, 1)"));
  }
  return ZigZag(threshold);
}

}  // namespace sorvik

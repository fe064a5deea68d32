#include "indicators/performance/value_at_risk.hpp"

namespace sorvik {

Expected<ValueAtRisk> ValueAtRisk::create(std::uint64_t period, double confidence) {
  if (period < 2) return fail(IndicatorError::invalid_period("value-at-risk needs period >= 2"));
  if (!(confidence > 0.0 && confidence < 1.0)) {
    return fail(IndicatorError::invalid_period("confidence must lie strictly between 0 and 1"));
  }
  // The window length is bounded like every other one, after the checks of its own.
  if (auto err = check_max_period(period)) return fail(*err);
  return ValueAtRisk(period, confidence);
}

}  // namespace sorvik

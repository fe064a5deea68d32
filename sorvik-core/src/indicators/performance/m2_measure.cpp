#include "indicators/performance/m2_measure.hpp"

namespace sorvik {

Expected<M2Measure> M2Measure::create(std::uint64_t period, double risk_free, double benchmark_stddev) {
  if (period < 2) return fail(IndicatorError::invalid_period("m2 measure needs period >= 2"));
  if (!std::isfinite(risk_free) || !std::isfinite(benchmark_stddev) || !(benchmark_stddev >= 0.0)) {
    return fail(IndicatorError::invalid_parameter(
        "risk_free must be finite and benchmark_stddev finite and non-negative"));
  }
  if (auto err = check_max_period(period)) return fail(*err);
  return M2Measure(period, risk_free, benchmark_stddev);
}

}  // namespace sorvik

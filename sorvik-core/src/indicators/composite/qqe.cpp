#include "indicators/composite/qqe.hpp"

namespace sorvik {

Expected<Qqe> Qqe::create(std::uint64_t rsi_period, std::uint64_t smoothing, double factor) {
  if (auto err = check_period(rsi_period)) return fail(*err);
  if (auto err = check_period(smoothing)) return fail(*err);
  if (!(std::isfinite(factor) && factor > 0.0)) {
    return fail(IndicatorError::invalid_period("QQE factor must be a finite positive value"));
  }
  return Qqe(rsi_period, smoothing, factor);
}

}  // namespace sorvik

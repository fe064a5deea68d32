#include "indicators/bands/double_bollinger.hpp"

namespace sorvik {

Expected<DoubleBollinger> DoubleBollinger::create(std::uint64_t period, double k_inner, double k_outer) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(k_inner)) return fail(*err);
  if (auto err = bands::check_multiplier(k_outer)) return fail(*err);
  if (!(k_inner < k_outer)) {
    return fail(IndicatorError::invalid_period("double bollinger requires k_outer > k_inner"));
  }
  return DoubleBollinger(period, k_inner, k_outer);
}

}  // namespace sorvik

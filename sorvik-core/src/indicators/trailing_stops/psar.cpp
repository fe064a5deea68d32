#include "indicators/trailing_stops/psar.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<Psar> Psar::create(double af_start, double af_step, double af_max) {
  if (auto err = bands::check_multiplier(af_start)) return fail(*err);
  if (auto err = bands::check_multiplier(af_step)) return fail(*err);
  if (auto err = bands::check_multiplier(af_max)) return fail(*err);
  if (af_start > af_max) return fail(IndicatorError::invalid_period("af_start must be <= af_max"));
  return Psar(af_start, af_step, af_max);
}

}  // namespace sorvik

#include "indicators/trailing_stops/sar_ext.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<SarExt> SarExt::create(double start, double offset, double long_init, double long_step, double long_max,
                                double short_init, double short_step, double short_max) {
  constexpr std::string_view order = "acceleration init must be <= max";
  if (!(std::isfinite(offset) && offset >= 0.0 && std::isfinite(start))) {
    return fail(IndicatorError::non_positive_multiplier());
  }
  if (auto err = bands::check_multiplier(long_init)) return fail(*err);
  if (auto err = bands::check_multiplier(long_step)) return fail(*err);
  if (auto err = bands::check_multiplier(long_max)) return fail(*err);
  if (long_init > long_max) return fail(IndicatorError::invalid_period(order));
  if (auto err = bands::check_multiplier(short_init)) return fail(*err);
  if (auto err = bands::check_multiplier(short_step)) return fail(*err);
  if (auto err = bands::check_multiplier(short_max)) return fail(*err);
  if (short_init > short_max) return fail(IndicatorError::invalid_period(order));
  return SarExt(start, offset, long_init, long_step, long_max, short_init, short_step, short_max);
}

}  // namespace sorvik

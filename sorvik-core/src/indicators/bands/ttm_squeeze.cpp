#include "indicators/bands/ttm_squeeze.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<TtmSqueeze> TtmSqueeze::create(std::uint64_t period, double bb_k, double kc_multiplier) {
  if (period < 2) {
    return fail(IndicatorError::invalid_period("TTM squeeze needs period >= 2 for the momentum regression"));
  }
  if (auto err = check_max_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(bb_k)) return fail(*err);
  if (auto err = bands::check_multiplier(kc_multiplier)) return fail(*err);
  return TtmSqueeze(period, bb_k, kc_multiplier);
}

}  // namespace sorvik

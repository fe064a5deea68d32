#include "indicators/pairs/spread_bollinger_bands.hpp"

namespace sorvik {

Expected<SpreadBollingerBands> SpreadBollingerBands::create(std::uint64_t period, double num_std) {
  if (auto err = pairs::check_min_period(period, 2, "spread bollinger bands needs period >= 2")) return fail(*err);
  if (!(num_std > 0.0) || !std::isfinite(num_std)) {
    return fail(IndicatorError::invalid_period("spread bollinger bands needs num_std > 0"));
  }
  return SpreadBollingerBands(period, num_std);
}

}  // namespace sorvik

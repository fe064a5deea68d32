#include "indicators/volume/vwap_std_dev_bands.hpp"

#include <cmath>

namespace sorvik {

Expected<VwapStdDevBands> VwapStdDevBands::create(double multiplier) {
  if (!std::isfinite(multiplier) || !(multiplier > 0.0)) return fail(IndicatorError::non_positive_multiplier());
  return VwapStdDevBands(multiplier);
}

}  // namespace sorvik

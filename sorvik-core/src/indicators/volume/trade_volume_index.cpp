#include "indicators/volume/trade_volume_index.hpp"

#include <cmath>

namespace sorvik {

Expected<TradeVolumeIndex> TradeVolumeIndex::create(double min_tick) {
  if (!std::isfinite(min_tick) || min_tick < 0.0) {
    return fail(IndicatorError::invalid_parameter("trade volume index min_tick must be finite and non-negative"));
  }
  return TradeVolumeIndex(min_tick);
}

}  // namespace sorvik

#include "indicators/derivatives_breadth/liquidation_features.hpp"

namespace sorvik {

Expected<LiquidationFeatures> LiquidationFeatures::create() { return LiquidationFeatures(); }

}  // namespace sorvik

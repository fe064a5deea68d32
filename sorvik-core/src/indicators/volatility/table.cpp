// Registration table of the volatility family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/volatility/bipower_variation.hpp"
#include "indicators/volatility/ewma_volatility.hpp"
#include "indicators/volatility/garch11.hpp"
#include "indicators/volatility/garman_klass_volatility.hpp"
#include "indicators/volatility/historical_volatility.hpp"
#include "indicators/volatility/jump_indicator.hpp"
#include "indicators/volatility/parkinson_volatility.hpp"
#include "indicators/volatility/realized_volatility.hpp"
#include "indicators/volatility/rogers_satchell_volatility.hpp"
#include "indicators/volatility/rvi_volatility.hpp"
#include "indicators/volatility/volatility_cone.hpp"
#include "indicators/volatility/volatility_of_volatility.hpp"
#include "indicators/volatility/yang_zhang_volatility.hpp"

namespace sorvik::detail {

FamilyTable volatility_table() {
  static constexpr RegistryEntry entries[] = {
      entry<BipowerVariation>("BipowerVariation"),
      entry<EwmaVolatility>("EwmaVolatility"),
      // alpha + beta must stay below 1: the generic 0.5 for every real does not build.
      entry<Garch11>("Garch11").with_example({0.00001, 0.1, 0.85}),
      entry<GarmanKlassVolatility>("GarmanKlassVolatility"),
      entry<HistoricalVolatility>("HistoricalVolatility"),
      entry<JumpIndicator>("JumpIndicator"),
      entry<ParkinsonVolatility>("ParkinsonVolatility"),
      entry<RealizedVolatility>("RealizedVolatility"),
      entry<RogersSatchellVolatility>("RogersSatchellVolatility"),
      entry<RviVolatility>("RviVolatility"),
      entry<VolatilityCone>("VolatilityCone"),
      entry<VolatilityOfVolatility>("VolatilityOfVolatility"),
      entry<YangZhangVolatility>("YangZhangVolatility"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

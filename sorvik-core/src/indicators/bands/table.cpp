// Registration table of the bands family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/bands/acceleration_bands.hpp"
#include "indicators/bands/atr.hpp"
#include "indicators/bands/atr_bands.hpp"
#include "indicators/bands/average_daily_range.hpp"
#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/bands/bollinger_bandwidth.hpp"
#include "indicators/bands/bomar_bands.hpp"
#include "indicators/bands/chaikin_volatility.hpp"
#include "indicators/bands/donchian.hpp"
#include "indicators/bands/double_bollinger.hpp"
#include "indicators/bands/fractal_chaos_bands.hpp"
#include "indicators/bands/high_low_range.hpp"
#include "indicators/bands/hurst_channel.hpp"
#include "indicators/bands/keltner.hpp"
#include "indicators/bands/ma_envelope.hpp"
#include "indicators/bands/mass_index.hpp"
#include "indicators/bands/median_channel.hpp"
#include "indicators/bands/natr.hpp"
#include "indicators/bands/percent_b.hpp"
#include "indicators/bands/projection_bands.hpp"
#include "indicators/bands/quartile_bands.hpp"
#include "indicators/bands/starc_bands.hpp"
#include "indicators/bands/true_range.hpp"
#include "indicators/bands/ttm_squeeze.hpp"
#include "indicators/bands/volatility_ratio.hpp"
#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable bands_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AccelerationBands>("AccelerationBands"),
      entry<Atr>("Atr"),
      entry<AtrBands>("AtrBands"),
      entry<AverageDailyRange>("AverageDailyRange"),
      entry<BollingerBands>("BollingerBands"),
      entry<BollingerBandwidth>("BollingerBandwidth"),
      entry<BomarBands>("BomarBands"),
      entry<ChaikinVolatility>("ChaikinVolatility"),
      entry<Donchian>("Donchian"),
      entry<DoubleBollinger>("DoubleBollinger").with_example({14, 1, 2}),  // needs k_inner < k_outer
      entry<FractalChaosBands>("FractalChaosBands"),
      entry<HighLowRange>("HighLowRange"),
      entry<HurstChannel>("HurstChannel"),
      entry<Keltner>("Keltner"),
      entry<MaEnvelope>("MaEnvelope"),
      entry<MassIndex>("MassIndex"),
      entry<MedianChannel>("MedianChannel"),
      entry<Natr>("Natr"),
      entry<PercentB>("PercentB"),
      entry<ProjectionBands>("ProjectionBands"),
      entry<QuartileBands>("QuartileBands"),
      entry<StarcBands>("StarcBands"),
      entry<TrueRange>("TrueRange"),
      entry<TtmSqueeze>("TtmSqueeze"),
      entry<VolatilityRatio>("VolatilityRatio"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

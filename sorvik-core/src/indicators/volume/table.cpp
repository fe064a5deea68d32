// Registration table of the volume family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/volume/ad_oscillator.hpp"
#include "indicators/volume/adl.hpp"
#include "indicators/volume/anchored_vwap.hpp"
#include "indicators/volume/better_volume.hpp"
#include "indicators/volume/candle_volume.hpp"
#include "indicators/volume/chaikin_money_flow.hpp"
#include "indicators/volume/chaikin_oscillator.hpp"
#include "indicators/volume/demand_index.hpp"
#include "indicators/volume/ease_of_movement.hpp"
#include "indicators/volume/equivolume.hpp"
#include "indicators/volume/force_index.hpp"
#include "indicators/volume/intraday_intensity.hpp"
#include "indicators/volume/kvo.hpp"
#include "indicators/volume/market_facilitation_index.hpp"
#include "indicators/volume/mfi.hpp"
#include "indicators/volume/nvi.hpp"
#include "indicators/volume/obv.hpp"
#include "indicators/volume/pvi.hpp"
#include "indicators/volume/rolling_vwap.hpp"
#include "indicators/volume/trade_volume_index.hpp"
#include "indicators/volume/tsv.hpp"
#include "indicators/volume/twiggs_money_flow.hpp"
#include "indicators/volume/volume_oscillator.hpp"
#include "indicators/volume/volume_price_trend.hpp"
#include "indicators/volume/volume_rsi.hpp"
#include "indicators/volume/volume_weighted_macd.hpp"
#include "indicators/volume/volume_weighted_sr.hpp"
#include "indicators/volume/vwap.hpp"
#include "indicators/volume/vwap_std_dev_bands.hpp"
#include "indicators/volume/vzo.hpp"
#include "indicators/volume/wad.hpp"

namespace sorvik::detail {

FamilyTable volume_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AdOscillator>("AdOscillator"),
      entry<Adl>("Adl"),
      entry<AnchoredVwap>("AnchoredVwap"),
      entry<BetterVolume>("BetterVolume"),
      entry<CandleVolume>("CandleVolume"),
      entry<ChaikinMoneyFlow>("ChaikinMoneyFlow"),
      entry<ChaikinOscillator>("ChaikinOscillator"),
      entry<DemandIndex>("DemandIndex"),
      entry<EaseOfMovement>("EaseOfMovement"),
      entry<Equivolume>("Equivolume"),
      entry<ForceIndex>("ForceIndex"),
      entry<IntradayIntensity>("IntradayIntensity"),
      entry<Kvo>("Kvo"),
      entry<MarketFacilitationIndex>("MarketFacilitationIndex"),
      entry<Mfi>("Mfi"),
      entry<Nvi>("Nvi"),
      entry<Obv>("Obv"),
      entry<Pvi>("Pvi"),
      entry<RollingVwap>("RollingVwap"),
      entry<TradeVolumeIndex>("TradeVolumeIndex"),
      entry<Tsv>("Tsv"),
      entry<TwiggsMoneyFlow>("TwiggsMoneyFlow"),
      entry<VolumeOscillator>("VolumeOscillator"),
      entry<VolumePriceTrend>("VolumePriceTrend"),
      entry<VolumeRsi>("VolumeRsi"),
      entry<VolumeWeightedMacd>("VolumeWeightedMacd"),
      entry<VolumeWeightedSr>("VolumeWeightedSr"),
      entry<Vwap>("Vwap"),
      entry<VwapStdDevBands>("VwapStdDevBands"),
      entry<Vzo>("Vzo"),
      entry<Wad>("Wad"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

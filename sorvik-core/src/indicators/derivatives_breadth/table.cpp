// Registration table of the derivatives breadth family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/derivatives_breadth/absolute_breadth_index.hpp"
#include "indicators/derivatives_breadth/ad_volume_line.hpp"
#include "indicators/derivatives_breadth/advance_decline.hpp"
#include "indicators/derivatives_breadth/advance_decline_ratio.hpp"
#include "indicators/derivatives_breadth/breadth_thrust.hpp"
#include "indicators/derivatives_breadth/bullish_percent_index.hpp"
#include "indicators/derivatives_breadth/calendar_spread.hpp"
#include "indicators/derivatives_breadth/cumulative_volume_index.hpp"
#include "indicators/derivatives_breadth/estimated_leverage_ratio.hpp"
#include "indicators/derivatives_breadth/funding_basis.hpp"
#include "indicators/derivatives_breadth/funding_implied_apr.hpp"
#include "indicators/derivatives_breadth/funding_rate.hpp"
#include "indicators/derivatives_breadth/funding_rate_mean.hpp"
#include "indicators/derivatives_breadth/funding_rate_z_score.hpp"
#include "indicators/derivatives_breadth/high_low_index.hpp"
#include "indicators/derivatives_breadth/liquidation_features.hpp"
#include "indicators/derivatives_breadth/long_short_ratio.hpp"
#include "indicators/derivatives_breadth/mc_clellan_oscillator.hpp"
#include "indicators/derivatives_breadth/mc_clellan_summation_index.hpp"
#include "indicators/derivatives_breadth/new_highs_new_lows.hpp"
#include "indicators/derivatives_breadth/oi_price_divergence.hpp"
#include "indicators/derivatives_breadth/oi_to_volume_ratio.hpp"
#include "indicators/derivatives_breadth/oi_weighted.hpp"
#include "indicators/derivatives_breadth/open_interest_delta.hpp"
#include "indicators/derivatives_breadth/open_interest_momentum.hpp"
#include "indicators/derivatives_breadth/percent_above_ma.hpp"
#include "indicators/derivatives_breadth/perpetual_premium_index.hpp"
#include "indicators/derivatives_breadth/taker_buy_sell_ratio.hpp"
#include "indicators/derivatives_breadth/term_structure_basis.hpp"
#include "indicators/derivatives_breadth/tick_index.hpp"
#include "indicators/derivatives_breadth/trin.hpp"
#include "indicators/derivatives_breadth/up_down_volume_ratio.hpp"
#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable derivatives_breadth_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AbsoluteBreadthIndex>("AbsoluteBreadthIndex"),
      entry<AdVolumeLine>("AdVolumeLine"),
      entry<AdvanceDecline>("AdvanceDecline"),
      entry<AdvanceDeclineRatio>("AdvanceDeclineRatio"),
      entry<BreadthThrust>("BreadthThrust"),
      entry<BullishPercentIndex>("BullishPercentIndex"),
      entry<CalendarSpread>("CalendarSpread"),
      entry<CumulativeVolumeIndex>("CumulativeVolumeIndex"),
      entry<EstimatedLeverageRatio>("EstimatedLeverageRatio"),
      entry<FundingBasis>("FundingBasis"),
      entry<FundingImpliedApr>("FundingImpliedApr"),
      entry<FundingRate>("FundingRate"),
      entry<FundingRateMean>("FundingRateMean"),
      entry<FundingRateZScore>("FundingRateZScore"),
      entry<HighLowIndex>("HighLowIndex"),
      entry<LiquidationFeatures>("LiquidationFeatures"),
      entry<LongShortRatio>("LongShortRatio"),
      entry<McClellanOscillator>("McClellanOscillator"),
      entry<McClellanSummationIndex>("McClellanSummationIndex"),
      entry<NewHighsNewLows>("NewHighsNewLows"),
      entry<OIPriceDivergence>("OIPriceDivergence"),
      entry<OIWeighted>("OIWeighted"),
      entry<OiToVolumeRatio>("OiToVolumeRatio"),
      entry<OpenInterestDelta>("OpenInterestDelta"),
      entry<OpenInterestMomentum>("OpenInterestMomentum"),
      entry<PercentAboveMa>("PercentAboveMa"),
      entry<PerpetualPremiumIndex>("PerpetualPremiumIndex"),
      entry<TakerBuySellRatio>("TakerBuySellRatio"),
      entry<TermStructureBasis>("TermStructureBasis"),
      entry<TickIndex>("TickIndex"),
      entry<Trin>("Trin"),
      entry<UpDownVolumeRatio>("UpDownVolumeRatio"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

// Registration table of the derivatives breadth family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable derivatives_breadth_table() {
  static constexpr std::string_view pending[] = {
      "AbsoluteBreadthIndex",
      "AdVolumeLine",
      "AdvanceDecline",
      "AdvanceDeclineRatio",
      "BreadthThrust",
      "BullishPercentIndex",
      "CalendarSpread",
      "CumulativeVolumeIndex",
      "EstimatedLeverageRatio",
      "FundingBasis",
      "FundingImpliedApr",
      "FundingRate",
      "FundingRateMean",
      "FundingRateZScore",
      "HighLowIndex",
      "LiquidationFeatures",
      "LongShortRatio",
      "McClellanOscillator",
      "McClellanSummationIndex",
      "NewHighsNewLows",
      "OIPriceDivergence",
      "OIWeighted",
      "OiToVolumeRatio",
      "OpenInterestDelta",
      "OpenInterestMomentum",
      "PercentAboveMa",
      "PerpetualPremiumIndex",
      "TakerBuySellRatio",
      "TermStructureBasis",
      "TickIndex",
      "Trin",
      "UpDownVolumeRatio",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

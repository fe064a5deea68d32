// Registration table of the trailing stops family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable trailing_stops_table() {
  static constexpr std::string_view pending[] = {
      "AtrRatchet",
      "AtrTrailingStop",
      "ChandeKrollStop",
      "ChandelierExit",
      "DonchianStop",
      "ElderSafeZone",
      "HiLoActivator",
      "KaseDevStop",
      "ModifiedMaStop",
      "NewPriceLines",
      "Nrtr",
      "PercentageTrailingStop",
      "Psar",
      "RenkoTrailingStop",
      "SarExt",
      "StepTrailingStop",
      "SuperTrend",
      "ThreeLineBreak",
      "TimeBasedStop",
      "VoltyStop",
      "YoyoExit",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

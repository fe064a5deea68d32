// Registration table of the trailing stops family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/trailing_stops/atr_ratchet.hpp"
#include "indicators/trailing_stops/atr_trailing_stop.hpp"
#include "indicators/trailing_stops/chande_kroll_stop.hpp"
#include "indicators/trailing_stops/chandelier_exit.hpp"
#include "indicators/trailing_stops/donchian_stop.hpp"
#include "indicators/trailing_stops/elder_safe_zone.hpp"
#include "indicators/trailing_stops/hi_lo_activator.hpp"
#include "indicators/trailing_stops/kase_dev_stop.hpp"
#include "indicators/trailing_stops/modified_ma_stop.hpp"
#include "indicators/trailing_stops/new_price_lines.hpp"
#include "indicators/trailing_stops/nrtr.hpp"
#include "indicators/trailing_stops/percentage_trailing_stop.hpp"
#include "indicators/trailing_stops/psar.hpp"
#include "indicators/trailing_stops/renko_trailing_stop.hpp"
#include "indicators/trailing_stops/sar_ext.hpp"
#include "indicators/trailing_stops/step_trailing_stop.hpp"
#include "indicators/trailing_stops/super_trend.hpp"
#include "indicators/trailing_stops/three_line_break.hpp"
#include "indicators/trailing_stops/time_based_stop.hpp"
#include "indicators/trailing_stops/volty_stop.hpp"
#include "indicators/trailing_stops/yoyo_exit.hpp"

namespace sorvik::detail {

FamilyTable trailing_stops_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AtrRatchet>("AtrRatchet"),
      entry<AtrTrailingStop>("AtrTrailingStop"),
      entry<ChandeKrollStop>("ChandeKrollStop"),
      entry<ChandelierExit>("ChandelierExit"),
      entry<DonchianStop>("DonchianStop"),
      entry<ElderSafeZone>("ElderSafeZone"),
      entry<HiLoActivator>("HiLoActivator"),
      entry<KaseDevStop>("KaseDevStop"),
      entry<ModifiedMaStop>("ModifiedMaStop"),
      entry<NewPriceLines>("NewPriceLines"),
      entry<Nrtr>("Nrtr"),
      entry<PercentageTrailingStop>("PercentageTrailingStop"),
      entry<Psar>("Psar").with_example({0.02, 0.02, 0.2}),
      entry<RenkoTrailingStop>("RenkoTrailingStop"),
      // start 0 (side from the first moves), no offset, the classic 0.02 / 0.02 / 0.2 both ways
      entry<SarExt>("SarExt").with_example({0, 0, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2}),
      entry<StepTrailingStop>("StepTrailingStop"),
      entry<SuperTrend>("SuperTrend"),
      entry<ThreeLineBreak>("ThreeLineBreak"),
      entry<TimeBasedStop>("TimeBasedStop"),
      entry<VoltyStop>("VoltyStop"),
      entry<YoyoExit>("YoyoExit"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

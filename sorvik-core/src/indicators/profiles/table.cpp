// Registration table of the profiles family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/profiles/composite_profile.hpp"
#include "indicators/profiles/high_low_volume_nodes.hpp"
#include "indicators/profiles/initial_balance.hpp"
#include "indicators/profiles/naked_poc.hpp"
#include "indicators/profiles/opening_range.hpp"
#include "indicators/profiles/overnight_gap.hpp"
#include "indicators/profiles/overnight_intraday_return.hpp"
#include "indicators/profiles/profile_shape.hpp"
#include "indicators/profiles/session_high_low.hpp"
#include "indicators/profiles/session_range.hpp"
#include "indicators/profiles/session_vwap.hpp"
#include "indicators/profiles/single_prints.hpp"
#include "indicators/profiles/tpo_profile.hpp"
#include "indicators/profiles/turn_of_month.hpp"
#include "indicators/profiles/value_area.hpp"
#include "indicators/profiles/volume_profile.hpp"

namespace sorvik::detail {

FamilyTable profiles_table() {
  static constexpr RegistryEntry entries[] = {
      entry<VolumeProfile>("VolumeProfile"),
      entry<TpoProfile>("TpoProfile"),
      entry<ValueArea>("ValueArea"),
      entry<CompositeProfile>("CompositeProfile"),
      entry<HighLowVolumeNodes>("HighLowVolumeNodes"),
      entry<NakedPoc>("NakedPoc"),
      entry<SinglePrints>("SinglePrints"),
      entry<ProfileShape>("ProfileShape"),
      entry<InitialBalance>("InitialBalance"),
      entry<OpeningRange>("OpeningRange"),
      entry<SessionHighLow>("SessionHighLow"),
      entry<SessionRange>("SessionRange"),
      entry<SessionVwap>("SessionVwap"),
      entry<OvernightGap>("OvernightGap"),
      entry<OvernightIntradayReturn>("OvernightIntradayReturn"),
      entry<TurnOfMonth>("TurnOfMonth"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

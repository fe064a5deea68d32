// Registration table of the profiles family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable profiles_table() {
  static constexpr std::string_view pending[] = {
      "CompositeProfile",
      "HighLowVolumeNodes",
      "InitialBalance",
      "NakedPoc",
      "OpeningRange",
      "OvernightGap",
      "OvernightIntradayReturn",
      "ProfileShape",
      "SessionHighLow",
      "SessionRange",
      "SessionVwap",
      "SinglePrints",
      "TpoProfile",
      "TurnOfMonth",
      "ValueArea",
      "VolumeProfile",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

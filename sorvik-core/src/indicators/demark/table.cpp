// Registration table of the demark family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable demark_table() {
  static constexpr std::string_view pending[] = {
      "TdCamouflage",
      "TdClop",
      "TdClopwin",
      "TdCombo",
      "TdCountdown",
      "TdDWave",
      "TdDeMarker",
      "TdDifferential",
      "TdLines",
      "TdMovingAverage",
      "TdOpen",
      "TdPressure",
      "TdPropulsion",
      "TdRangeProjection",
      "TdRei",
      "TdRiskLevel",
      "TdSequential",
      "TdSetup",
      "TdTrap",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

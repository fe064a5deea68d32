// Registration table of the composite family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable composite_table() {
  static constexpr std::string_view pending[] = {
      "AcceleratorOscillator",
      "AdaptiveRsi",
      "AnchoredRsi",
      "AwesomeOscillator",
      "AwesomeOscillatorHistogram",
      "BalanceOfPower",
      "Cfo",
      "ConnorsRsi",
      "DynamicMomentumIndex",
      "ElderRay",
      "FisherRsi",
      "Inertia",
      "IntradayMomentumIndex",
      "LaguerreRsi",
      "Pgo",
      "ProjectionOscillator",
      "Qqe",
      "Qstick",
      "Rmi",
      "Rsx",
      "Rvi",
      "Stc",
      "Tii",
      "TrendStrengthIndex",
      "UltimateOscillator",
      "WavePm",
      "WaveTrend",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

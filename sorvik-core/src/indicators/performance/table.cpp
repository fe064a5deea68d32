// Registration table of the performance family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable performance_table() {
  static constexpr std::string_view pending[] = {
      "AverageDrawdown",
      "BurkeRatio",
      "CalmarRatio",
      "CommonSenseRatio",
      "ConditionalValueAtRisk",
      "Expectancy",
      "GainLossRatio",
      "GainToPainRatio",
      "InformationRatio",
      "KRatio",
      "KellyCriterion",
      "M2Measure",
      "MartinRatio",
      "MaxDrawdown",
      "OmegaRatio",
      "PainIndex",
      "ProfitFactor",
      "RecoveryFactor",
      "SharpeRatio",
      "SortinoRatio",
      "SterlingRatio",
      "TailRatio",
      "UlcerIndex",
      "UpsidePotentialRatio",
      "ValueAtRisk",
      "WinRate",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

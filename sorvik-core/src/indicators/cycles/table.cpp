// Registration table of the cycles family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable cycles_table() {
  static constexpr std::string_view pending[] = {
      "AdaptiveCycle",
      "AdaptiveLaguerreFilter",
      "AutocorrelationPeriodogram",
      "BandpassFilter",
      "CenterOfGravity",
      "CorrelationTrendIndicator",
      "CyberneticCycle",
      "Decycler",
      "DecyclerOscillator",
      "EhlersStochastic",
      "EmpiricalModeDecomposition",
      "EvenBetterSinewave",
      "FisherTransform",
      "HighpassFilter",
      "HilbertDominantCycle",
      "HtDcPhase",
      "HtPhasor",
      "HtTrendMode",
      "InstantaneousTrendline",
      "InverseFisherTransform",
      "Reflex",
      "RoofingFilter",
      "SineWave",
      "SuperSmoother",
      "Trendflex",
      "UniversalOscillator",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

// Registration table of the cycles family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/cycles/adaptive_cycle.hpp"
#include "indicators/cycles/adaptive_laguerre_filter.hpp"
#include "indicators/cycles/autocorrelation_periodogram.hpp"
#include "indicators/cycles/bandpass_filter.hpp"
#include "indicators/cycles/center_of_gravity.hpp"
#include "indicators/cycles/correlation_trend_indicator.hpp"
#include "indicators/cycles/cybernetic_cycle.hpp"
#include "indicators/cycles/decycler.hpp"
#include "indicators/cycles/decycler_oscillator.hpp"
#include "indicators/cycles/ehlers_stochastic.hpp"
#include "indicators/cycles/empirical_mode_decomposition.hpp"
#include "indicators/cycles/even_better_sinewave.hpp"
#include "indicators/cycles/fisher_transform.hpp"
#include "indicators/cycles/highpass_filter.hpp"
#include "indicators/cycles/hilbert_dominant_cycle.hpp"
#include "indicators/cycles/ht_dc_phase.hpp"
#include "indicators/cycles/ht_phasor.hpp"
#include "indicators/cycles/ht_trend_mode.hpp"
#include "indicators/cycles/instantaneous_trendline.hpp"
#include "indicators/cycles/inverse_fisher_transform.hpp"
#include "indicators/cycles/reflex.hpp"
#include "indicators/cycles/roofing_filter.hpp"
#include "indicators/cycles/sine_wave.hpp"
#include "indicators/cycles/super_smoother.hpp"
#include "indicators/cycles/trendflex.hpp"
#include "indicators/cycles/universal_oscillator.hpp"
#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable cycles_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AdaptiveCycle>("AdaptiveCycle"),
      entry<AdaptiveLaguerreFilter>("AdaptiveLaguerreFilter"),
      entry<AutocorrelationPeriodogram>("AutocorrelationPeriodogram").with_example({8, 48}),
      entry<BandpassFilter>("BandpassFilter"),
      entry<CenterOfGravity>("CenterOfGravity"),
      entry<CorrelationTrendIndicator>("CorrelationTrendIndicator"),
      entry<CyberneticCycle>("CyberneticCycle"),
      entry<Decycler>("Decycler"),
      entry<DecyclerOscillator>("DecyclerOscillator"),
      entry<EhlersStochastic>("EhlersStochastic"),
      entry<EmpiricalModeDecomposition>("EmpiricalModeDecomposition"),
      entry<EvenBetterSinewave>("EvenBetterSinewave"),
      entry<FisherTransform>("FisherTransform"),
      entry<HighpassFilter>("HighpassFilter"),
      entry<HilbertDominantCycle>("HilbertDominantCycle"),
      entry<HtDcPhase>("HtDcPhase"),
      entry<HtPhasor>("HtPhasor"),
      entry<HtTrendMode>("HtTrendMode"),
      entry<InstantaneousTrendline>("InstantaneousTrendline"),
      entry<InverseFisherTransform>("InverseFisherTransform"),
      entry<Reflex>("Reflex"),
      entry<RoofingFilter>("RoofingFilter"),
      entry<SineWave>("SineWave"),
      entry<SuperSmoother>("SuperSmoother"),
      entry<Trendflex>("Trendflex"),
      entry<UniversalOscillator>("UniversalOscillator"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

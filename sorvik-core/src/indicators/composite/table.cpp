// Registration table of the composite family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/composite/accelerator_oscillator.hpp"
#include "indicators/composite/adaptive_rsi.hpp"
#include "indicators/composite/anchored_rsi.hpp"
#include "indicators/composite/awesome_oscillator.hpp"
#include "indicators/composite/awesome_oscillator_histogram.hpp"
#include "indicators/composite/balance_of_power.hpp"
#include "indicators/composite/cfo.hpp"
#include "indicators/composite/connors_rsi.hpp"
#include "indicators/composite/dynamic_momentum_index.hpp"
#include "indicators/composite/elder_ray.hpp"
#include "indicators/composite/fisher_rsi.hpp"
#include "indicators/composite/inertia.hpp"
#include "indicators/composite/intraday_momentum_index.hpp"
#include "indicators/composite/laguerre_rsi.hpp"
#include "indicators/composite/pgo.hpp"
#include "indicators/composite/projection_oscillator.hpp"
#include "indicators/composite/qqe.hpp"
#include "indicators/composite/qstick.hpp"
#include "indicators/composite/rmi.hpp"
#include "indicators/composite/rsx.hpp"
#include "indicators/composite/rvi.hpp"
#include "indicators/composite/stc.hpp"
#include "indicators/composite/tii.hpp"
#include "indicators/composite/trend_strength_index.hpp"
#include "indicators/composite/ultimate_oscillator.hpp"
#include "indicators/composite/wave_pm.hpp"
#include "indicators/composite/wave_trend.hpp"
#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable composite_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AcceleratorOscillator>("AcceleratorOscillator"),
      entry<AdaptiveRsi>("AdaptiveRsi"),
      entry<AnchoredRsi>("AnchoredRsi"),
      entry<AwesomeOscillator>("AwesomeOscillator"),
      entry<AwesomeOscillatorHistogram>("AwesomeOscillatorHistogram"),
      entry<BalanceOfPower>("BalanceOfPower"),
      entry<Cfo>("Cfo"),
      entry<ConnorsRsi>("ConnorsRsi"),
      entry<DynamicMomentumIndex>("DynamicMomentumIndex"),
      entry<ElderRay>("ElderRay"),
      entry<FisherRsi>("FisherRsi"),
      entry<Inertia>("Inertia"),
      entry<IntradayMomentumIndex>("IntradayMomentumIndex"),
      entry<LaguerreRsi>("LaguerreRsi"),
      entry<Pgo>("Pgo"),
      entry<ProjectionOscillator>("ProjectionOscillator"),
      entry<Qqe>("Qqe"),
      entry<Qstick>("Qstick"),
      entry<Rmi>("Rmi"),
      entry<Rsx>("Rsx"),
      entry<Rvi>("Rvi"),
      entry<Stc>("Stc"),
      entry<Tii>("Tii"),
      entry<TrendStrengthIndex>("TrendStrengthIndex"),
      entry<UltimateOscillator>("UltimateOscillator"),
      entry<WavePm>("WavePm"),
      entry<WaveTrend>("WaveTrend"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

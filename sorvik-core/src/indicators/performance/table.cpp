// Registration table of the performance family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/performance/average_drawdown.hpp"
#include "indicators/performance/burke_ratio.hpp"
#include "indicators/performance/calmar_ratio.hpp"
#include "indicators/performance/common_sense_ratio.hpp"
#include "indicators/performance/conditional_value_at_risk.hpp"
#include "indicators/performance/expectancy.hpp"
#include "indicators/performance/gain_loss_ratio.hpp"
#include "indicators/performance/gain_to_pain_ratio.hpp"
#include "indicators/performance/information_ratio.hpp"
#include "indicators/performance/k_ratio.hpp"
#include "indicators/performance/kelly_criterion.hpp"
#include "indicators/performance/m2_measure.hpp"
#include "indicators/performance/martin_ratio.hpp"
#include "indicators/performance/max_drawdown.hpp"
#include "indicators/performance/omega_ratio.hpp"
#include "indicators/performance/pain_index.hpp"
#include "indicators/performance/profit_factor.hpp"
#include "indicators/performance/recovery_factor.hpp"
#include "indicators/performance/sharpe_ratio.hpp"
#include "indicators/performance/sortino_ratio.hpp"
#include "indicators/performance/sterling_ratio.hpp"
#include "indicators/performance/tail_ratio.hpp"
#include "indicators/performance/ulcer_index.hpp"
#include "indicators/performance/upside_potential_ratio.hpp"
#include "indicators/performance/value_at_risk.hpp"
#include "indicators/performance/win_rate.hpp"

namespace sorvik::detail {

FamilyTable performance_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AverageDrawdown>("AverageDrawdown"),
      entry<BurkeRatio>("BurkeRatio"),
      entry<CalmarRatio>("CalmarRatio"),
      entry<CommonSenseRatio>("CommonSenseRatio"),
      entry<ConditionalValueAtRisk>("ConditionalValueAtRisk"),
      entry<Expectancy>("Expectancy"),
      entry<GainLossRatio>("GainLossRatio"),
      entry<GainToPainRatio>("GainToPainRatio"),
      entry<InformationRatio>("InformationRatio"),
      entry<KRatio>("KRatio"),
      entry<KellyCriterion>("KellyCriterion"),
      entry<M2Measure>("M2Measure"),
      entry<MartinRatio>("MartinRatio"),
      entry<MaxDrawdown>("MaxDrawdown"),
      entry<OmegaRatio>("OmegaRatio"),
      entry<PainIndex>("PainIndex"),
      entry<ProfitFactor>("ProfitFactor"),
      entry<RecoveryFactor>("RecoveryFactor"),
      entry<SharpeRatio>("SharpeRatio"),
      entry<SortinoRatio>("SortinoRatio"),
      entry<SterlingRatio>("SterlingRatio"),
      entry<TailRatio>("TailRatio"),
      entry<UlcerIndex>("UlcerIndex"),
      entry<UpsidePotentialRatio>("UpsidePotentialRatio"),
      entry<ValueAtRisk>("ValueAtRisk"),
      entry<WinRate>("WinRate"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

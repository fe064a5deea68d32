// Registration table of the momentum family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/momentum/adaptive_cci.hpp"
#include "indicators/momentum/apo.hpp"
#include "indicators/momentum/cci.hpp"
#include "indicators/momentum/cmo.hpp"
#include "indicators/momentum/coppock.hpp"
#include "indicators/momentum/derivative_oscillator.hpp"
#include "indicators/momentum/disparity_index.hpp"
#include "indicators/momentum/dpo.hpp"
#include "indicators/momentum/elder_impulse.hpp"
#include "indicators/momentum/kase_permission_stochastic.hpp"
#include "indicators/momentum/kst.hpp"
#include "indicators/momentum/macd_fix.hpp"
#include "indicators/momentum/macd_histogram.hpp"
#include "indicators/momentum/macd_indicator.hpp"
#include "indicators/momentum/mom.hpp"
#include "indicators/momentum/pmo.hpp"
#include "indicators/momentum/ppo.hpp"
#include "indicators/momentum/ppo_histogram.hpp"
#include "indicators/momentum/roc.hpp"
#include "indicators/momentum/rocp.hpp"
#include "indicators/momentum/rocr.hpp"
#include "indicators/momentum/rocr100.hpp"
#include "indicators/momentum/rsi.hpp"
#include "indicators/momentum/smi.hpp"
#include "indicators/momentum/stoch_rsi.hpp"
#include "indicators/momentum/stochastic.hpp"
#include "indicators/momentum/stochastic_cci.hpp"
#include "indicators/momentum/trix.hpp"
#include "indicators/momentum/tsi.hpp"
#include "indicators/momentum/williams_r.hpp"
#include "indicators/momentum/zero_lag_macd.hpp"

namespace sorvik::detail {

FamilyTable momentum_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AdaptiveCci>("AdaptiveCci"),
      entry<Apo>("Apo"),
      entry<Cci>("Cci"),
      entry<Cmo>("Cmo"),
      entry<Coppock>("Coppock"),
      entry<DerivativeOscillator>("DerivativeOscillator"),
      entry<DisparityIndex>("DisparityIndex"),
      entry<Dpo>("Dpo"),
      entry<ElderImpulse>("ElderImpulse"),
      entry<KasePermissionStochastic>("KasePermissionStochastic"),
      entry<Kst>("Kst"),
      entry<MacdFix>("MacdFix"),
      entry<MacdHistogram>("MacdHistogram"),
      entry<MacdIndicator>("MacdIndicator"),
      entry<Mom>("Mom"),
      entry<Pmo>("Pmo"),
      entry<Ppo>("Ppo"),
      entry<PpoHistogram>("PpoHistogram"),
      entry<Roc>("Roc"),
      entry<Rocp>("Rocp"),
      entry<Rocr>("Rocr"),
      entry<Rocr100>("Rocr100"),
      entry<Rsi>("Rsi"),
      entry<Smi>("Smi"),
      entry<StochRsi>("StochRsi"),
      entry<Stochastic>("Stochastic"),
      entry<StochasticCci>("StochasticCci"),
      entry<Trix>("Trix"),
      entry<Tsi>("Tsi"),
      entry<WilliamsR>("WilliamsR"),
      entry<ZeroLagMacd>("ZeroLagMacd"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

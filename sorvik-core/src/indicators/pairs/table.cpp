// Registration table of the pairs family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/pairs/alpha.hpp"
#include "indicators/pairs/beta.hpp"
#include "indicators/pairs/beta_neutral_spread.hpp"
#include "indicators/pairs/cointegration.hpp"
#include "indicators/pairs/distance_ssd.hpp"
#include "indicators/pairs/granger_causality.hpp"
#include "indicators/pairs/hasbrouck_information_share.hpp"
#include "indicators/pairs/kalman_hedge_ratio.hpp"
#include "indicators/pairs/kendall_tau.hpp"
#include "indicators/pairs/lead_lag_cross_correlation.hpp"
#include "indicators/pairs/ou_half_life.hpp"
#include "indicators/pairs/pair_spread_z_score.hpp"
#include "indicators/pairs/pairwise_beta.hpp"
#include "indicators/pairs/pearson_correlation.hpp"
#include "indicators/pairs/relative_strength_ab.hpp"
#include "indicators/pairs/rolling_correlation.hpp"
#include "indicators/pairs/rolling_covariance.hpp"
#include "indicators/pairs/spearman_correlation.hpp"
#include "indicators/pairs/spread_ar1_coefficient.hpp"
#include "indicators/pairs/spread_bollinger_bands.hpp"
#include "indicators/pairs/spread_hurst.hpp"
#include "indicators/pairs/treynor_ratio.hpp"
#include "indicators/pairs/variance_ratio.hpp"

namespace sorvik::detail {

FamilyTable pairs_table() {
  static constexpr RegistryEntry entries[] = {
      entry<Alpha>("Alpha"),
      entry<Beta>("Beta"),
      entry<BetaNeutralSpread>("BetaNeutralSpread"),
      entry<Cointegration>("Cointegration").with_example({60, 2}),
      entry<DistanceSsd>("DistanceSsd"),
      entry<GrangerCausality>("GrangerCausality").with_example({30, 2}),
      entry<HasbrouckInformationShare>("HasbrouckInformationShare").with_example({20}),
      entry<KalmanHedgeRatio>("KalmanHedgeRatio"),
      entry<KendallTau>("KendallTau"),
      entry<LeadLagCrossCorrelation>("LeadLagCrossCorrelation"),
      entry<OuHalfLife>("OuHalfLife"),
      entry<PairSpreadZScore>("PairSpreadZScore"),
      entry<PairwiseBeta>("PairwiseBeta"),
      entry<PearsonCorrelation>("PearsonCorrelation"),
      entry<RelativeStrengthAB>("RelativeStrengthAB"),
      entry<RollingCorrelation>("RollingCorrelation"),
      entry<RollingCovariance>("RollingCovariance"),
      entry<SpearmanCorrelation>("SpearmanCorrelation"),
      entry<SpreadAr1Coefficient>("SpreadAr1Coefficient"),
      entry<SpreadBollingerBands>("SpreadBollingerBands"),
      entry<SpreadHurst>("SpreadHurst").with_example({32}),
      entry<TreynorRatio>("TreynorRatio"),
      entry<VarianceRatio>("VarianceRatio").with_example({20, 4}),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

// Registration table of the pairs family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable pairs_table() {
  static constexpr std::string_view pending[] = {
      "Alpha",
      "Beta",
      "BetaNeutralSpread",
      "Cointegration",
      "DistanceSsd",
      "GrangerCausality",
      "HasbrouckInformationShare",
      "KalmanHedgeRatio",
      "KendallTau",
      "LeadLagCrossCorrelation",
      "OuHalfLife",
      "PairSpreadZScore",
      "PairwiseBeta",
      "PearsonCorrelation",
      "RelativeStrengthAB",
      "RollingCorrelation",
      "RollingCovariance",
      "SpearmanCorrelation",
      "SpreadAr1Coefficient",
      "SpreadBollingerBands",
      "SpreadHurst",
      "TreynorRatio",
      "VarianceRatio",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

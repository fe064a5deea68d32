// Registration table of the microstructure family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"

namespace sorvik::detail {

FamilyTable microstructure_table() {
  static constexpr std::string_view pending[] = {
      "AmihudIlliquidity",
      "CumulativeVolumeDelta",
      "DepthSlope",
      "EffectiveSpread",
      "KylesLambda",
      "Microprice",
      "OrderBookImbalanceFull",
      "OrderBookImbalanceTop1",
      "OrderBookImbalanceTopN",
      "OrderFlowImbalance",
      "Pin",
      "QuotedSpread",
      "RealizedSpread",
      "RollMeasure",
      "SignedVolume",
      "TradeImbalance",
      "TradeSignAutocorrelation",
      "Vpin",
  };
  return {{}, pending};
}

}  // namespace sorvik::detail

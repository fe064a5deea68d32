// Registration table of the microstructure family: one row per built type; the names of the family
// that are not built yet stay in `pending` until their row is added.

#include "indicators/families.hpp"
#include "indicators/microstructure/amihud_illiquidity.hpp"
#include "indicators/microstructure/cumulative_volume_delta.hpp"
#include "indicators/microstructure/depth_slope.hpp"
#include "indicators/microstructure/effective_spread.hpp"
#include "indicators/microstructure/kyles_lambda.hpp"
#include "indicators/microstructure/microprice.hpp"
#include "indicators/microstructure/order_book_imbalance_full.hpp"
#include "indicators/microstructure/order_book_imbalance_top1.hpp"
#include "indicators/microstructure/order_book_imbalance_top_n.hpp"
#include "indicators/microstructure/order_flow_imbalance.hpp"
#include "indicators/microstructure/pin.hpp"
#include "indicators/microstructure/quoted_spread.hpp"
#include "indicators/microstructure/realized_spread.hpp"
#include "indicators/microstructure/roll_measure.hpp"
#include "indicators/microstructure/signed_volume.hpp"
#include "indicators/microstructure/trade_imbalance.hpp"
#include "indicators/microstructure/trade_sign_autocorrelation.hpp"
#include "indicators/microstructure/vpin.hpp"

namespace sorvik::detail {

FamilyTable microstructure_table() {
  static constexpr RegistryEntry entries[] = {
      entry<AmihudIlliquidity>("AmihudIlliquidity"),
      entry<CumulativeVolumeDelta>("CumulativeVolumeDelta"),
      entry<DepthSlope>("DepthSlope"),
      entry<EffectiveSpread>("EffectiveSpread"),
      entry<KylesLambda>("KylesLambda"),
      entry<Microprice>("Microprice"),
      entry<OrderBookImbalanceFull>("OrderBookImbalanceFull"),
      entry<OrderBookImbalanceTop1>("OrderBookImbalanceTop1"),
      entry<OrderBookImbalanceTopN>("OrderBookImbalanceTopN"),
      entry<OrderFlowImbalance>("OrderFlowImbalance"),
      entry<Pin>("Pin"),
      entry<QuotedSpread>("QuotedSpread"),
      entry<RealizedSpread>("RealizedSpread"),
      entry<RollMeasure>("RollMeasure"),
      entry<SignedVolume>("SignedVolume"),
      entry<TradeImbalance>("TradeImbalance"),
      entry<TradeSignAutocorrelation>("TradeSignAutocorrelation"),
      entry<Vpin>("Vpin"),
  };
  return {entries, {}};
}

}  // namespace sorvik::detail

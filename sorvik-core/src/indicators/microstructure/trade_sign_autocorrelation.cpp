#include "indicators/microstructure/trade_sign_autocorrelation.hpp"

namespace sorvik {

Expected<TradeSignAutocorrelation> TradeSignAutocorrelation::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("trade-sign autocorrelation needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return TradeSignAutocorrelation(period);
}

}  // namespace sorvik

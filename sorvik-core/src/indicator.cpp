#include "sorvik/indicator.hpp"

#include <cmath>
#include <string>

namespace sorvik {

std::string IndicatorError::display() const {
  const auto with = [this](std::string_view prefix) {
    std::string s;
    s.reserve(prefix.size() + message.size());
    s.append(prefix);
    s.append(message);
    return s;
  };
  switch (kind) {
    case Kind::ZeroPeriod:
      return "period must be greater than zero";
    case Kind::InvalidPeriod:
      return with("invalid period: ");
    case Kind::NonFiniteInput:
      return "input value must be finite (got NaN or infinity)";
    case Kind::InvalidCandle:
      return with("invalid candle: ");
    case Kind::InvalidTick:
      return with("invalid tick: ");
    case Kind::NonPositiveMultiplier:
      return "multiplier must be greater than zero";
    case Kind::InvalidOrderBook:
      return with("invalid order book: ");
    case Kind::InvalidTrade:
      return with("invalid trade: ");
    case Kind::InvalidDerivativesTick:
      return with("invalid derivatives tick: ");
    case Kind::InvalidCrossSection:
      return with("invalid cross-section: ");
    case Kind::InvalidParameter:
      return with("invalid parameter: ");
  }
  return {};
}

std::optional<IndicatorError> check_trade(const Trade& t) noexcept {
  if (!std::isfinite(t.price) || !(t.price > 0.0)) {
    return IndicatorError::invalid_trade("trade price must be finite and positive");
  }
  if (!std::isfinite(t.size) || t.size < 0.0) {
    return IndicatorError::invalid_trade("trade size must be finite and non-negative");
  }
  return std::nullopt;
}

std::optional<IndicatorError> check_trades(std::span<const Trade> trades) noexcept {
  for (const Trade& t : trades) {
    if (auto err = check_trade(t)) return err;
  }
  return std::nullopt;
}

namespace {
std::optional<IndicatorError> check_levels(std::span<const BookLevel> levels) noexcept {
  for (const BookLevel& l : levels) {
    if (!std::isfinite(l.price) || !(l.price > 0.0)) {
      return IndicatorError::invalid_order_book("level price must be finite and positive");
    }
    if (!std::isfinite(l.size) || l.size < 0.0) {
      return IndicatorError::invalid_order_book("level size must be finite and non-negative");
    }
  }
  return std::nullopt;
}
}  // namespace

std::optional<IndicatorError> check_order_book(const OrderBook& book) noexcept {
  if (auto err = check_levels(book.bids)) return err;
  return check_levels(book.asks);
}

std::optional<IndicatorError> check_derivatives_tick(const DerivativesTick& t) noexcept {
  const double fields[] = {t.funding_rate,     t.mark_price,        t.index_price,
                           t.futures_price,    t.open_interest,     t.long_positions,
                           t.short_positions,  t.taker_buy_volume,  t.taker_sell_volume,
                           t.long_liquidations, t.short_liquidations};
  for (double f : fields) {
    if (!std::isfinite(f)) return IndicatorError::invalid_derivatives_tick("all fields must be finite");
  }
  return std::nullopt;
}

std::optional<IndicatorError> check_cross_section(const CrossSection& cs) noexcept {
  for (const CrossSectionEntry& e : cs.entries) {
    if (!std::isfinite(e.change) || !std::isfinite(e.volume)) {
      return IndicatorError::invalid_cross_section("change and volume must be finite");
    }
    if (e.volume < 0.0) return IndicatorError::invalid_cross_section("volume must be non-negative");
  }
  return std::nullopt;
}

namespace {
constexpr std::string_view WIRE_NAMES[] = {"kline",       "trade",       "orderbook",
                                           "trade_quote", "derivatives", "cross_section"};
constexpr std::string_view DISPLAY_NAMES[] = {"Kline",      "Trade",       "Orderbook",
                                              "TradeQuote", "Derivatives", "CrossSection"};
}  // namespace

std::string_view wire_name(FeedKind k) noexcept { return WIRE_NAMES[static_cast<std::size_t>(k)]; }

std::string_view display_name(FeedKind k) noexcept {
  return DISPLAY_NAMES[static_cast<std::size_t>(k)];
}

std::optional<FeedKind> feed_kind_from_wire(std::string_view wire) noexcept {
  for (FeedKind k : ALL_FEED_KINDS) {
    if (wire_name(k) == wire) return k;
  }
  return std::nullopt;
}

}  // namespace sorvik

// Input records, their validity rules and the library's error texts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "sorvik/indicator.hpp"

namespace sorvik {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

struct CandleCase {
  const char* label;
  Candle candle;
  const char* error;  // displayed text, or nullptr when valid
};

const CandleCase CANDLE_CASES[] = {
    {"valid", {0, 10, 12, 9, 11, 100}, nullptr},
    {"flat bar", {0, 5, 5, 5, 5, 0}, nullptr},
    {"negative zero volume passes", {0, 10, 12, 9, 11, -0.0}, nullptr},
    {"NaN open", {0, NaN, 12, 9, 11, 1}, "invalid candle: open, high, low, close must all be finite"},
    {"inf close", {0, 10, 12, 9, Inf, 1}, "invalid candle: open, high, low, close must all be finite"},
    {"-inf low", {0, 10, 12, -Inf, 11, 1}, "invalid candle: open, high, low, close must all be finite"},
    {"NaN volume", {0, 10, 12, 9, 11, NaN}, "invalid candle: volume must be finite"},
    {"tiny negative volume", {0, 10, 12, 9, 11, -1e-300}, "invalid candle: volume must be non-negative"},
    // Rule order: price finiteness before volume, volume before the range rules.
    {"NaN price and bad volume", {0, NaN, 12, 9, 11, -1}, "invalid candle: open, high, low, close must all be finite"},
    {"bad volume and inverted range", {0, 10, 9, 12, 11, -1}, "invalid candle: volume must be non-negative"},
    // high 10, low 11 fails the range rule even though open and close are also out of range.
    {"high below low wins", {0, 20, 10, 11, 5, 1}, "invalid candle: high must be >= low"},
    {"open above high", {0, 13, 12, 9, 11, 1}, "invalid candle: high must be >= open and >= close"},
    {"close above high", {0, 10, 12, 9, 12.5, 1}, "invalid candle: high must be >= open and >= close"},
    {"open below low", {0, 8, 12, 9, 11, 1}, "invalid candle: low must be <= open and <= close"},
    {"close below low", {0, 10, 12, 9, 8.5, 1}, "invalid candle: low must be <= open and <= close"},
};

TEST(Candle, ValidityRulesInOrder) {
  for (const auto& c : CANDLE_CASES) {
    const auto err = check_candle(c.candle);
    if (c.error == nullptr) {
      EXPECT_FALSE(err.has_value()) << c.label << ": " << err->display();
    } else {
      ASSERT_TRUE(err.has_value()) << c.label;
      EXPECT_EQ(err->kind, IndicatorError::Kind::InvalidCandle) << c.label;
      EXPECT_EQ(err->display(), c.error) << c.label;
    }
  }
}

TEST(Trade, ValidityRulesInOrder) {
  struct Case {
    Trade trade;
    const char* error;
  };
  const Case cases[] = {
      {{100, 1, 0, Side::Buy}, nullptr},
      {{100, 0, 0, Side::Sell}, nullptr},
      {{100, -0.0, 0, Side::Sell}, nullptr},
      {{0, 1, 0, Side::Buy}, "invalid trade: trade price must be finite and positive"},
      {{-1, 1, 0, Side::Buy}, "invalid trade: trade price must be finite and positive"},
      {{NaN, 1, 0, Side::Buy}, "invalid trade: trade price must be finite and positive"},
      {{Inf, -1, 0, Side::Buy}, "invalid trade: trade price must be finite and positive"},
      {{100, -1, 0, Side::Buy}, "invalid trade: trade size must be finite and non-negative"},
      {{100, Inf, 0, Side::Buy}, "invalid trade: trade size must be finite and non-negative"},
  };
  for (const auto& c : cases) {
    const auto err = check_trade(c.trade);
    if (c.error == nullptr) {
      EXPECT_FALSE(err.has_value());
    } else {
      ASSERT_TRUE(err.has_value()) << c.error;
      EXPECT_EQ(err->display(), c.error);
    }
  }
  EXPECT_EQ(signed_size(Trade{1, 2, 0, Side::Sell}), -2.0);
  EXPECT_EQ(signed_size(Trade{1, 2, 0, Side::Buy}), 2.0);
}

TEST(OtherRecords, ValidityChecks) {
  OrderBook book{{{100, 1}, {99, 2}}, {{101, 1}}};
  EXPECT_FALSE(check_order_book(book).has_value());
  EXPECT_FALSE(check_order_book(OrderBook{}).has_value());  // empty sides are allowed
  book.asks.push_back({NaN, 1});
  ASSERT_TRUE(check_order_book(book).has_value());
  EXPECT_EQ(check_order_book(book)->kind, IndicatorError::Kind::InvalidOrderBook);

  DerivativesTick tick{};
  EXPECT_FALSE(check_derivatives_tick(tick).has_value());
  tick.short_liquidations = Inf;
  ASSERT_TRUE(check_derivatives_tick(tick).has_value());
  EXPECT_EQ(check_derivatives_tick(tick)->kind, IndicatorError::Kind::InvalidDerivativesTick);

  CrossSection cs{{{1.0, 10.0, true, false, true, false}, {-1.0, 0.0, false, false, false, false}}};
  EXPECT_FALSE(check_cross_section(cs).has_value());
  cs.entries[1].change = NaN;
  ASSERT_TRUE(check_cross_section(cs).has_value());
  EXPECT_EQ(check_cross_section(cs)->kind, IndicatorError::Kind::InvalidCrossSection);
}

TEST(IndicatorError, DisplayTexts) {
  using E = IndicatorError;
  const std::pair<E, const char*> cases[] = {
      {E::zero_period(), "period must be greater than zero"},
      {E::invalid_period("x"), "invalid period: x"},
      {E::non_finite_input(), "input value must be finite (got NaN or infinity)"},
      {E::invalid_candle("x"), "invalid candle: x"},
      {E::invalid_tick("x"), "invalid tick: x"},
      {E::non_positive_multiplier(), "multiplier must be greater than zero"},
      {E::invalid_order_book("x"), "invalid order book: x"},
      {E::invalid_trade("x"), "invalid trade: x"},
      {E::invalid_derivatives_tick("x"), "invalid derivatives tick: x"},
      {E::invalid_cross_section("x"), "invalid cross-section: x"},
      {E::invalid_parameter("GARCH(1,1) omega must be > 0"), "invalid parameter: GARCH(1,1) omega must be > 0"},
  };
  for (const auto& [err, text] : cases) EXPECT_EQ(err.display(), text);
  // Declaration order of the variants.
  EXPECT_EQ(static_cast<int>(E::Kind::ZeroPeriod), 0);
  EXPECT_EQ(static_cast<int>(E::Kind::InvalidParameter), 10);
}

TEST(Period, BoundsOfEveryWindowLength) {
  EXPECT_EQ(MAX_PERIOD, 16777216u);
  EXPECT_EQ(check_period(0), IndicatorError::zero_period());
  EXPECT_FALSE(check_period(1).has_value());
  EXPECT_FALSE(check_period(MAX_PERIOD).has_value());
  ASSERT_TRUE(check_period(MAX_PERIOD + 1).has_value());
  EXPECT_EQ(check_period(MAX_PERIOD + 1)->display(),
            "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)");
  EXPECT_TRUE(check_period(UINT64_MAX).has_value());
}

TEST(FeedKind, WireAndDisplayNamesInOrder) {
  const char* wire[] = {"kline", "trade", "orderbook", "trade_quote", "derivatives", "cross_section"};
  const char* display[] = {"Kline", "Trade", "Orderbook", "TradeQuote", "Derivatives", "CrossSection"};
  for (int i = 0; i < 6; ++i) {
    const auto k = static_cast<FeedKind>(i);
    EXPECT_EQ(wire_name(k), wire[i]);
    EXPECT_EQ(display_name(k), display[i]);
    EXPECT_EQ(feed_kind_from_wire(wire[i]), k);
  }
  EXPECT_FALSE(feed_kind_from_wire("Kline").has_value());
  EXPECT_FALSE(feed_kind_from_wire("").has_value());
}

}  // namespace
}  // namespace sorvik

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sorvik_strategy/strategy_spec.hpp"

namespace {

using namespace sorvik::strategy;
using K = Condition::Kind;

StrategySpec base() {
  StrategySpec s;
  s.symbol = "BTC";
  s.timeframe = "1h";
  s.indicators["fast"] = IndicatorSpec{"Sma", {5}, std::nullopt};
  s.entry = Condition::compare(K::Gt, Operand::ref("fast"), Operand::num(1));
  s.exit = Condition::compare(K::Lt, Operand::ref("fast"), Operand::num(1));
  s.sizing = sizing::FixedFraction{0.5};
  return s;
}

std::string error_of(const StrategySpec& s) {
  auto r = validate(s);
  if (r) {
    auto f = check_runner_feeds(s);
    return f ? std::string("ok") : f.error().display();
  }
  return r.error().display();
}

struct Case {
  const char* name;
  std::function<void(StrategySpec&)> edit;
  std::string want;
};

TEST(Validate, OrderedSteps) {
  const std::string spec = "invalid strategy spec: ";
  const std::string risk_msg =
      "sizing risk_per_trade requires risk.stop_loss_pct: the position size is" +
      std::string(18, ' ') + "derived from the distance to the stop";
  const std::string stop_limit_msg =
      "stop_limit order_type requires both execution.stop_offset_pct and" + std::string(22, ' ') +
      "execution.limit_offset_pct";
  std::vector<Case> cases = {
      {"valid", [](StrategySpec&) {}, "ok"},
      {"undeclared reference with output, whole text",
       [](StrategySpec& s) { s.exit = Condition::compare(K::Lt, Operand::ref("rsi.value"), Operand::num(1)); },
       "rule references undeclared indicator: rsi.value"},
      {"declared id with any output passes",
       [](StrategySpec& s) { s.exit = Condition::compare(K::Lt, Operand::ref("fast.nothing"), Operand::num(1)); },
       "ok"},
      {"rules checked entry, exit, short_entry, short_exit",
       [](StrategySpec& s) {
         s.short_exit = Condition::compare(K::Gt, Operand::ref("late"), Operand::num(0));
         s.short_entry = Condition::compare(K::Gt, Operand::ref("early"), Operand::num(0));
       },
       "rule references undeclared indicator: early"},
      {"references come before the version",
       [](StrategySpec& s) {
         s.spec_version = 7;
         s.entry = Condition::compare(K::Gt, Operand::ref("nope"), Operand::num(1));
       },
       "rule references undeclared indicator: nope"},
      {"version 2", [](StrategySpec& s) { s.spec_version = 2; },
       spec + "spec_version 2 is not supported; this build reads 1..=1"},
      {"version 0", [](StrategySpec& s) { s.spec_version = 0; },
       spec + "spec_version 0 is not supported; this build reads 1..=1"},
      {"risk_per_trade without a stop",
       [](StrategySpec& s) { s.sizing = sizing::RiskPerTrade{1}; }, spec + risk_msg},
      {"risk_per_trade with a zero stop passes",
       [](StrategySpec& s) {
         s.sizing = sizing::RiskPerTrade{1};
         s.risk.stop_loss_pct = 0.0;
       },
       "ok"},
      {"declared feed differs",
       [](StrategySpec& s) { s.indicators["fast"].feed = sorvik::FeedKind::Trade; },
       spec + "indicator 'fast' (Sma) declares feed Trade but consumes Kline"},
      {"declared feed agrees",
       [](StrategySpec& s) { s.indicators["fast"].feed = sorvik::FeedKind::Kline; }, "ok"},
      {"alias skips the feed check",
       [](StrategySpec& s) {
         s.indicators["bb"] = IndicatorSpec{"Bollinger", {20, 2}, sorvik::FeedKind::CrossSection};
       },
       "ok"},
      {"unknown type skips the feed check",
       [](StrategySpec& s) { s.indicators["x"] = IndicatorSpec{"Foo", {}, sorvik::FeedKind::Trade}; },
       "ok"},
      {"feeds checked in id order",
       [](StrategySpec& s) {
         s.indicators["a"] = IndicatorSpec{"Vpin", {}, sorvik::FeedKind::Derivatives};
         s.indicators["fast"].feed = sorvik::FeedKind::Orderbook;
       },
       spec + "indicator 'a' (Vpin) declares feed Derivatives but consumes Trade"},
      {"stop without offset",
       [](StrategySpec& s) { s.execution.order_type = OrderType::Stop; },
       spec + "stop order_type requires execution.stop_offset_pct"},
      {"stop_limit with only the stop offset",
       [](StrategySpec& s) {
         s.execution.order_type = OrderType::StopLimit;
         s.execution.stop_offset_pct = 1.0;
       },
       spec + stop_limit_msg},
      {"stop_limit with only the limit offset",
       [](StrategySpec& s) {
         s.execution.order_type = OrderType::StopLimit;
         s.execution.limit_offset_pct = 1.0;
       },
       spec + stop_limit_msg},
      {"limit without offset", [](StrategySpec& s) { s.execution.order_type = OrderType::Limit; },
       spec + "limit order_type requires execution.limit_offset_pct"},
      {"order price before partial fills",
       [](StrategySpec& s) {
         s.execution.order_type = OrderType::Limit;
         s.execution.partial_fills = true;
       },
       spec + "limit order_type requires execution.limit_offset_pct"},
      {"partial fills without participation",
       [](StrategySpec& s) { s.execution.partial_fills = true; },
       spec + "partial_fills requires execution.max_participation"},
      {"close timing with a limit order and latency reports the order type",
       [](StrategySpec& s) {
         s.execution.fill_timing = FillTiming::Close;
         s.execution.order_type = OrderType::Limit;
         s.execution.limit_offset_pct = -1.0;
         s.execution.latency_bars = 3;
       },
       spec + "fill_timing close requires a market order_type"},
      {"close timing with latency",
       [](StrategySpec& s) {
         s.execution.fill_timing = FillTiming::Close;
         s.execution.latency_bars = 1;
       },
       spec + "fill_timing close is incompatible with latency_bars"},
      {"spread slippage refused by the runner",
       [](StrategySpec& s) { s.costs.slippage = slippage::Spread{}; },
       spec + "costs.slippage spread needs an order-book feed; without one every fill" +
           std::string(14, ' ') + "would be priced at zero slippage"},
      {"funding refused by the runner",
       [](StrategySpec& s) { s.costs.funding = true; },
       spec + "costs.funding needs a derivatives feed; without one no funding would be" +
           std::string(14, ' ') + "charged at all"},
      {"spread before funding",
       [](StrategySpec& s) {
         s.costs.funding = true;
         s.costs.slippage = slippage::Spread{};
       },
       spec + "costs.slippage spread needs an order-book feed; without one every fill" +
           std::string(14, ' ') + "would be priced at zero slippage"},
      {"validation before runner feeds",
       [](StrategySpec& s) {
         s.costs.funding = true;
         s.execution.partial_fills = true;
       },
       spec + "partial_fills requires execution.max_participation"},
      {"negative values are not range-checked",
       [](StrategySpec& s) {
         s.sizing = sizing::VolTarget{-1, 0};
         s.costs.maker_bps = -5;
         s.risk.take_profit_pct = -3;
       },
       "ok"},
  };
  for (const Case& c : cases) {
    StrategySpec s = base();
    c.edit(s);
    EXPECT_EQ(error_of(s), c.want) << c.name;
  }
}

TEST(BacktestErrorDisplay, EveryVariant) {
  using E = BacktestError;
  EXPECT_EQ((E{E::Kind::InvalidSpec, {}, "m"}).display(), "invalid strategy spec: m");
  EXPECT_EQ((E{E::Kind::UnknownIndicatorType, "Foo", {}}).display(), "unknown indicator type: Foo");
  EXPECT_EQ((E{E::Kind::IndicatorParameters, "Sma", "missing parameter #0"}).display(),
            "invalid parameters for indicator Sma: missing parameter #0");
  EXPECT_EQ((E{E::Kind::UndeclaredIndicator, "a.b", {}}).display(),
            "rule references undeclared indicator: a.b");
  EXPECT_EQ(E::invalid_input("no candles").display(), "invalid input data: no candles");
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sorvik_json/reader.hpp"
#include "sorvik_strategy/reader.hpp"

namespace {

using namespace sorvik::strategy;
using K = Condition::Kind;

sorvik::json::Value J(std::string_view text) {
  auto v = sorvik::json::parse(text);
  EXPECT_TRUE(v.has_value()) << text;
  return v ? std::move(*v) : sorvik::json::Value();
}

// A strategy text with `extra` members spliced in after the required ones.
std::string strategy_text(const std::string& extra = "") {
  std::string s = R"({"symbol":"BTC","timeframe":"1h","indicators":{},"entry":{"all":[]},)"
                  R"("exit":{"any":[]},"sizing":{"type":"fixed_qty","qty":1})";
  if (!extra.empty()) s += "," + extra;
  return s + "}";
}

std::string error_of(std::string_view text) {
  auto r = parse_strategy(J(text));
  return r ? std::string("ok") : r.error().message;
}

TEST(ParseStrategy, DefaultsOfAMinimalDocument) {
  auto r = parse_strategy(J(strategy_text()));
  ASSERT_TRUE(r) << r.error().message;
  const StrategySpec& s = *r;
  EXPECT_EQ(s.spec_version, 1u);
  EXPECT_EQ(s.symbol, "BTC");
  EXPECT_EQ(s.timeframe, "1h");
  EXPECT_FALSE(s.ref_symbol);
  EXPECT_TRUE(s.indicators.empty());
  EXPECT_EQ(s.entry.kind, K::All);
  EXPECT_EQ(s.exit.kind, K::Any);
  EXPECT_FALSE(s.short_entry);
  EXPECT_FALSE(s.short_exit);
  ASSERT_TRUE(std::holds_alternative<sizing::FixedQty>(s.sizing));
  EXPECT_EQ(std::get<sizing::FixedQty>(s.sizing).qty, 1.0);
  EXPECT_EQ(s.costs.maker_bps, 0.0);
  EXPECT_EQ(s.costs.taker_bps, 0.0);
  ASSERT_TRUE(std::holds_alternative<slippage::FixedBps>(s.costs.slippage));
  EXPECT_EQ(std::get<slippage::FixedBps>(s.costs.slippage).bps, 0.0);
  EXPECT_FALSE(s.costs.funding);
  EXPECT_FALSE(s.risk.stop_loss_pct || s.risk.take_profit_pct || s.risk.trailing_stop_pct ||
               s.risk.max_leverage || s.risk.max_position_pct);
  EXPECT_FALSE(s.risk.liquidation);
  EXPECT_EQ(s.execution.order_type, OrderType::Market);
  EXPECT_EQ(s.execution.fill_timing, FillTiming::NextOpen);
  EXPECT_EQ(s.execution.latency_bars, 0u);
  EXPECT_FALSE(s.execution.partial_fills);
  EXPECT_FALSE(s.execution.limit_offset_pct || s.execution.stop_offset_pct ||
               s.execution.max_participation);
  EXPECT_FALSE(s.warmup);
}

TEST(ParseStrategy, EveryFieldInObjectForm) {
  auto r = parse_strategy(J(strategy_text(
      R"("spec_version":1,"ref_symbol":"ETH","warmup":7,"note":"ignored",)"
      R"("indicators":{"b":{"type":"Sma","params":[20,2.5],"feed":"kline","x":0},"a":["Ema"]},)"
      R"("short_entry":{"in_position":false},"short_exit":null,)"
      R"("costs":{"maker_bps":2,"taker_bps":5.5,"slippage":{"type":"volume_impact","coef":0.1},"funding":false},)"
      R"("risk":{"stop_loss_pct":5,"take_profit_pct":null,"trailing_stop_pct":3,"max_leverage":2,"max_position_pct":50,"liquidation":true},)"
      R"("execution":{"order_type":"stop_limit","fill_timing":"next_open","limit_offset_pct":-1,"stop_offset_pct":1,"latency_bars":2,"partial_fills":true,"max_participation":0.25})")));
  ASSERT_TRUE(r) << r.error().message;
  const StrategySpec& s = *r;
  EXPECT_EQ(s.ref_symbol, "ETH");
  EXPECT_EQ(s.warmup, 7u);
  ASSERT_EQ(s.indicators.size(), 2u);
  EXPECT_EQ(s.indicators.begin()->first, "a") << "ids in ascending order";
  EXPECT_EQ(s.indicators.at("a").type, "Ema");
  EXPECT_TRUE(s.indicators.at("a").params.empty());
  EXPECT_EQ(s.indicators.at("b").params, (std::vector<double>{20, 2.5}));
  EXPECT_EQ(s.indicators.at("b").feed, sorvik::FeedKind::Kline);
  ASSERT_TRUE(s.short_entry);
  EXPECT_EQ(s.short_entry->kind, K::InPosition);
  EXPECT_FALSE(s.short_exit) << "null means absent";
  EXPECT_EQ(s.costs.maker_bps, 2.0);
  EXPECT_EQ(s.costs.taker_bps, 5.5);
  ASSERT_TRUE(std::holds_alternative<slippage::VolumeImpact>(s.costs.slippage));
  EXPECT_EQ(std::get<slippage::VolumeImpact>(s.costs.slippage).coef, 0.1);
  EXPECT_EQ(s.risk.stop_loss_pct, 5.0);
  EXPECT_FALSE(s.risk.take_profit_pct);
  EXPECT_EQ(s.risk.trailing_stop_pct, 3.0);
  EXPECT_EQ(s.risk.max_leverage, 2.0);
  EXPECT_EQ(s.risk.max_position_pct, 50.0);
  EXPECT_TRUE(s.risk.liquidation);
  EXPECT_EQ(s.execution.order_type, OrderType::StopLimit);
  EXPECT_EQ(s.execution.limit_offset_pct, -1.0);
  EXPECT_EQ(s.execution.stop_offset_pct, 1.0);
  EXPECT_EQ(s.execution.latency_bars, 2u);
  EXPECT_TRUE(s.execution.partial_fills);
  EXPECT_EQ(s.execution.max_participation, 0.25);
}

TEST(ParseStrategy, ArrayForms) {
  auto r = parse_strategy(J(
      R"([2,"BTC",null,"1h",{"s":["Sma",[5],"kline"]},{"all":[]},{"any":[]},null,null,)"
      R"(["vol_target",0.2,20],[1,2,["fixed_bps",3]],[4,null,null,2],["limit","close",-2]])"));
  ASSERT_TRUE(r) << r.error().message;
  EXPECT_EQ(r->spec_version, 2u);
  EXPECT_EQ(r->indicators.at("s").params, std::vector<double>{5});
  ASSERT_TRUE(std::holds_alternative<sizing::VolTarget>(r->sizing));
  EXPECT_EQ(std::get<sizing::VolTarget>(r->sizing).target_vol, 0.2);
  EXPECT_EQ(std::get<sizing::VolTarget>(r->sizing).lookback, 20u);
  EXPECT_EQ(r->costs.taker_bps, 2.0);
  EXPECT_EQ(std::get<slippage::FixedBps>(r->costs.slippage).bps, 3.0);
  EXPECT_EQ(r->risk.stop_loss_pct, 4.0);
  EXPECT_EQ(r->risk.max_leverage, 2.0);
  EXPECT_EQ(r->execution.order_type, OrderType::Limit);
  EXPECT_EQ(r->execution.fill_timing, FillTiming::Close);
  EXPECT_EQ(r->execution.limit_offset_pct, -2.0);
  EXPECT_FALSE(r->warmup);
}

TEST(ParseStrategy, ReaderErrors) {
  struct Case {
    const char* name;
    std::string text;
    std::string want;
  };
  const std::string minimal = strategy_text();
  std::vector<Case> cases = {
      {"missing entry",
       R"({"symbol":"BTC","timeframe":"1h","indicators":{},"exit":{"any":[]},"sizing":["fixed_qty",1]})",
       "missing field `entry`"},
      {"first missing field in declaration order", R"({"entry":{"all":[]}})", "missing field `symbol`"},
      {"not a record", "5", "invalid type: integer `5`, expected struct StrategySpec"},
      {"array too short", R"([1,"BTC"])", "invalid length 2, expected struct StrategySpec with 14 elements"},
      {"array too long",
       R"([1,"BTC",null,"1h",{},{"all":[]},{"any":[]},null,null,["fixed_qty",1],{},{},{},null,0])",
       "invalid length 15, expected fewer elements in array"},
      {"indicator array too short", strategy_text(R"("indicators":{"a":[]})"),
       "invalid length 0, expected struct IndicatorSpec with 3 elements"},
      {"spec_version refuses null", strategy_text(R"("spec_version":null)"),
       "invalid type: null, expected u32"},
      {"u32 refuses a float", strategy_text(R"("warmup":1.5)"),
       "invalid type: floating point `1.5`, expected u32"},
      {"u32 refuses a negative", strategy_text(R"("warmup":-1)"),
       "invalid value: integer `-1`, expected u32"},
      {"u32 refuses a large integer", strategy_text(R"("warmup":4294967296)"),
       "invalid value: integer `4294967296`, expected u32"},
      {"u32 takes its maximum", strategy_text(R"("warmup":4294967295)"), "ok"},
      {"optional u32 takes null", strategy_text(R"("warmup":null)"), "ok"},
      {"costs refuse null", strategy_text(R"("costs":null)"), "invalid type: null, expected struct Costs"},
      {"f64 refuses a string", strategy_text(R"("risk":{"stop_loss_pct":"5"})"),
       "invalid type: string \"5\", expected f64"},
      {"sizing without type", strategy_text(R"("sizing":{"qty":1})"), "missing field `type`"},
      {"sizing of unknown type", strategy_text(R"("sizing":{"type":"fixed"})"),
       "unknown variant `fixed`, expected one of `fixed_fraction`, `fixed_qty`, `fixed_cash`, "
       "`vol_target`, `risk_per_trade`"},
      {"sizing field missing", strategy_text(R"("sizing":{"type":"vol_target","target_vol":1})"),
       "missing field `lookback`"},
      {"sizing neither object nor array", strategy_text(R"("sizing":"fixed_qty")"),
       "invalid type: string \"fixed_qty\", expected internally tagged enum Sizing"},
      {"sizing array short", strategy_text(R"("sizing":["vol_target",0.2])"),
       "invalid length 1, expected struct variant Sizing::VolTarget with 2 elements"},
      {"sizing array short, one field", strategy_text(R"("sizing":["fixed_fraction"])"),
       "invalid length 0, expected struct variant Sizing::FixedFraction with 1 element"},
      {"sizing array long", strategy_text(R"("sizing":["fixed_qty",1,2])"),
       "invalid length 2, expected 1 element in sequence"},
      {"slippage array short", strategy_text(R"("costs":{"slippage":["volume_impact"]})"),
       "invalid length 0, expected struct variant Slippage::VolumeImpact with 1 element"},
      {"slippage neither object nor array", strategy_text(R"("costs":{"slippage":1})"),
       "invalid type: integer `1`, expected internally tagged enum Slippage"},
      {"slippage spread reads", strategy_text(R"("costs":{"slippage":{"type":"spread"}})"), "ok"},
      {"order type is case-sensitive", strategy_text(R"("execution":{"order_type":"Market"})"),
       "unknown variant `Market`, expected one of `market`, `limit`, `stop`, `stop_limit`"},
      {"fill timing", strategy_text(R"("execution":{"fill_timing":"open"})"),
       "unknown variant `open`, expected `next_open` or `close`"},
      {"feed names", strategy_text(R"("indicators":{"a":{"type":"Sma","feed":"Kline"}})"),
       "unknown variant `Kline`, expected one of `kline`, `trade`, `orderbook`, `trade_quote`, "
       "`derivatives`, `cross_section`"},
      {"feed null is absent", strategy_text(R"("indicators":{"a":{"type":"Sma","feed":null}})"), "ok"},
      {"params refuse null", strategy_text(R"("indicators":{"a":{"type":"Sma","params":null}})"),
       "invalid type: null, expected a sequence"},
  };
  for (const Case& c : cases) EXPECT_EQ(error_of(c.text), c.want) << c.name;
}

// ---------------------------------------------------------------------------------------------
// Rules

TEST(ParseOperand, Shapes) {
  auto op = [](std::string_view t) { return parse_operand(J(t)); };
  auto ref = op(R"("close")");
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->kind, Operand::Kind::Reference) << "a string is always a reference";
  EXPECT_EQ(ref->reference, "close");
  auto num = op("3");
  ASSERT_TRUE(num);
  EXPECT_EQ(num->kind, Operand::Kind::Number);
  EXPECT_EQ(num->number, 3.0);
  auto price = op(R"({"price":"hlc3"})");
  ASSERT_TRUE(price);
  EXPECT_EQ(price->kind, Operand::Kind::Price);
  EXPECT_EQ(price->price, PriceField::Hlc3);
  auto prev = op(R"({"prev":[{"div":["a",2]},4]})");
  ASSERT_TRUE(prev);
  EXPECT_EQ(prev->kind, Operand::Kind::Prev);
  EXPECT_EQ(prev->count, 4u);
  EXPECT_EQ(prev->args[0].kind, Operand::Kind::Div);
  EXPECT_EQ(prev->args[0].args[1].number, 2.0);
  for (const char* k : {"add", "sub", "mul", "div"}) {
    auto o = op(std::string(R"({")") + k + R"(":[1,-2.5]})");
    ASSERT_TRUE(o) << k;
    EXPECT_EQ(o->args.size(), 2u);
    EXPECT_EQ(o->args[1].number, -2.5);
  }

  const std::string untagged = "data did not match any variant of untagged enum Operand";
  struct Case {
    const char* text;
    std::string want;
  };
  std::vector<Case> errors = {
      {"null", untagged},
      {"true", untagged},
      {"[1,2]", untagged},
      {"{}", untagged},
      {R"({"price":"close","add":[1,2]})", untagged},
      {R"({"pow":[1,2]})", untagged},
      {R"({"add":[1,null]})", untagged},
      {R"({"add":[1]})", "invalid length 1, expected an array of length 2"},
      {R"({"sub":[1,2,3]})", "invalid length 3, expected fewer elements in array"},
      {R"({"prev":["a",-1]})", "invalid value: integer `-1`, expected u32"},
      {R"({"prev":["a"]})", "invalid length 1, expected a tuple of size 2"},
      {R"({"price":"Close"})",
       "unknown variant `Close`, expected one of `open`, `high`, `low`, `close`, `volume`, `hlc3`, "
       "`ohlc4`"},
  };
  for (const Case& c : errors) {
    auto r = op(c.text);
    ASSERT_FALSE(r) << c.text;
    EXPECT_EQ(r.error().message, c.want) << c.text;
  }
}

TEST(ParseCondition, Variants) {
  struct Case {
    const char* text;
    K kind;
    std::size_t operands, conditions;
  };
  std::vector<Case> cases = {
      {R"({"gt":["a",1]})", K::Gt, 2, 0},
      {R"({"lt":["a",1]})", K::Lt, 2, 0},
      {R"({"ge":["a",1]})", K::Ge, 2, 0},
      {R"({"le":["a",1]})", K::Le, 2, 0},
      {R"({"eq":["a",1]})", K::Eq, 2, 0},
      {R"({"ne":["a",1]})", K::Ne, 2, 0},
      {R"({"cross_above":["a","b"]})", K::CrossAbove, 2, 0},
      {R"({"cross_below":["a","b"]})", K::CrossBelow, 2, 0},
      {R"({"between":["a",1,2]})", K::Between, 3, 0},
      {R"({"rising":["a",3]})", K::Rising, 1, 0},
      {R"({"falling":["a",3]})", K::Falling, 1, 0},
      {R"({"all":[{"gt":[1,0]},{"any":[]}]})", K::All, 0, 2},
      {R"({"any":[]})", K::Any, 0, 0},
      {R"({"not":{"not":{"in_position":true}}})", K::Not, 0, 1},
      {R"({"in_position":true})", K::InPosition, 0, 0},
      {R"({"bars_since_entry":{"ge":5}})", K::BarsSinceEntry, 0, 0},
  };
  for (const Case& c : cases) {
    auto r = parse_condition(J(c.text));
    ASSERT_TRUE(r) << c.text << ": " << r.error().message;
    EXPECT_EQ(r->kind, c.kind) << c.text;
    EXPECT_EQ(r->operands.size(), c.operands) << c.text;
    EXPECT_EQ(r->conditions.size(), c.conditions) << c.text;
  }
  auto t = parse_condition(J(R"({"bars_since_entry":{"ge":5}})"));
  EXPECT_EQ(t->test.op, CountTest::Op::Ge);
  EXPECT_EQ(t->test.k, 5u);
  EXPECT_EQ(parse_condition(J(R"({"rising":["a",3]})"))->count, 3u);
  EXPECT_TRUE(parse_condition(J(R"({"in_position":true})"))->flag);
}

TEST(ParseCondition, Errors) {
  struct Case {
    const char* text;
    std::string want;
  };
  std::vector<Case> cases = {
      {R"({"gte":[1,2]})",
       "unknown variant `gte`, expected one of `gt`, `lt`, `ge`, `le`, `eq`, `ne`, `cross_above`, "
       "`cross_below`, `between`, `rising`, `falling`, `all`, `any`, `not`, `in_position`, "
       "`bars_since_entry`"},
      {R"({"gt":[1]})", "invalid length 1, expected an array of length 2"},
      {R"({"between":[1,2]})", "invalid length 2, expected an array of length 3"},
      {R"({"rising":["a",-3]})", "invalid value: integer `-3`, expected u32"},
      {R"({"in_position":1})", "invalid type: integer `1`, expected a boolean"},
      {R"({"bars_since_entry":{"ne":1}})", "unknown variant `ne`, expected one of `gt`, `lt`, `ge`, `le`, `eq`"},
      {R"({"all":{"gt":[1,2]}})", "invalid type: map, expected a sequence"},
      {R"({"gt":[{"x":1},2]})", "data did not match any variant of untagged enum Operand"},
  };
  for (const Case& c : cases) {
    auto r = parse_condition(J(c.text));
    ASSERT_FALSE(r) << c.text;
    EXPECT_EQ(r.error().message, c.want) << c.text;
  }
  // Rule values take exactly one key.
  EXPECT_FALSE(parse_condition(J(R"({"gt":[1,2],"lt":[1,2]})")));
  EXPECT_FALSE(parse_condition(J(R"({})")));
}

}  // namespace

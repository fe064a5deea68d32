#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sorvik_backtest/engine.hpp"

namespace {

using namespace sorvik::backtest;
namespace st = sorvik::strategy;
using sorvik::Candle;
using K = st::Condition::Kind;
using st::Condition;
using st::Operand;

Candle C(std::int64_t t, double o, double h, double l, double c, double v = 1000.0) {
  return Candle{t, o, h, l, c, v};
}
Candle flat(std::int64_t t, double p) { return C(t, p, p, p, p); }

Condition always() { return Condition::list(K::All, {}); }
Condition never() { return Condition::list(K::Any, {}); }
Operand close() { return Operand::field(st::PriceField::Close); }
Condition close_gt(double x) { return Condition::compare(K::Gt, close(), Operand::num(x)); }
Condition close_lt(double x) { return Condition::compare(K::Lt, close(), Operand::num(x)); }

st::StrategySpec spec(Condition entry, Condition exit) {
  st::StrategySpec s;
  s.symbol = "TEST";
  s.timeframe = "1d";
  s.entry = std::move(entry);
  s.exit = std::move(exit);
  s.sizing = st::sizing::FixedQty{1};
  return s;
}

st::StrategySpec at_close(st::StrategySpec s) {
  s.execution.fill_timing = st::FillTiming::Close;
  return s;
}

BacktestReport run(const st::StrategySpec& s, const std::vector<Candle>& candles) {
  auto r = run_backtest(s, candles);
  EXPECT_TRUE(r.has_value()) << (r ? "" : r.error().display());
  return r ? std::move(*r) : BacktestReport{};
}

struct TradeView {
  std::int64_t entry_time, exit_time;
  double entry_price, exit_price;
  ExitReason reason;
  bool operator==(const TradeView&) const = default;
};
std::vector<TradeView> trades_of(const BacktestReport& r) {
  std::vector<TradeView> out;
  for (const TradeRecord& t : r.trades) {
    out.push_back({t.entry_time, t.exit_time, t.entry_price, t.exit_price, t.reason});
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Failures before the first bar

TEST(RunBacktest, FailuresBeforeTheFirstBar) {
  std::vector<Candle> one = {flat(0, 100)};
  st::StrategySpec ok = spec(always(), never());
  EXPECT_EQ(run_backtest(ok, {}).error().display(), "invalid input data: no candles");

  st::StrategySpec v2 = ok;
  v2.spec_version = 2;
  EXPECT_EQ(run_backtest(v2, {}).error().display(),
            "invalid strategy spec: spec_version 2 is not supported; this build reads 1..=1")
      << "validation comes before the candle check";

  st::StrategySpec funding = ok;
  funding.costs.funding = true;
  EXPECT_EQ(run_backtest(funding, {}).error().kind, BacktestError::Kind::InvalidSpec);

  st::StrategySpec unknown = ok;
  unknown.indicators["b"] = st::IndicatorSpec{"Foo", {}, std::nullopt};
  unknown.indicators["a"] = st::IndicatorSpec{"sma", {20}, std::nullopt};
  EXPECT_EQ(run_backtest(unknown, one).error().display(), "unknown indicator type: sma")
      << "indicators are built in id order";
  EXPECT_EQ(run_backtest(unknown, {}).error().display(), "invalid input data: no candles")
      << "the candle check comes before construction";
}

// ---------------------------------------------------------------------------------------------
// Timelines

TEST(BarLoop, EndOfDataCloseFeeIsNotInTheEquityCurve) {
  st::StrategySpec s = at_close(spec(always(), never()));
  s.sizing = st::sizing::FixedQty{10};
  s.costs.taker_bps = 10;
  BacktestReport r = run(s, {flat(0, 100), flat(1, 110)});
  const double taker = 10 / 10000.0;
  const double entry_fee = (100.0 * 10.0) * taker;
  const double cash = INITIAL_CAPITAL - (100.0 * (1.0 * 10.0) + entry_fee);
  const double exit_fee = (10.0 * 110.0) * taker;

  ASSERT_EQ(r.equity.size(), 2u);
  EXPECT_EQ(r.equity[0].equity, INITIAL_CAPITAL) << "an order filled at the close is not in its bar's point";
  EXPECT_EQ(r.equity[1].equity, cash + 110.0 * 10.0);
  EXPECT_EQ(r.metrics.pnl, r.equity[1].equity - INITIAL_CAPITAL) << "the end fee is not in the metric pnl";
  EXPECT_EQ(r.fees_paid, entry_fee + exit_fee);
  ASSERT_EQ(r.trades.size(), 1u);
  const TradeRecord& t = r.trades[0];
  EXPECT_EQ(t.reason, ExitReason::End);
  EXPECT_EQ(t.exit_time, 1);
  EXPECT_EQ(t.exit_price, 110.0);
  EXPECT_EQ(t.pnl, (((110.0 - 100.0) * 10.0) - entry_fee) - exit_fee);
  EXPECT_EQ(r.metrics.num_trades, 1u);
  EXPECT_EQ(r.symbol, "TEST");
  EXPECT_EQ(r.timeframe, "1d");
}

TEST(BarLoop, RepeatedExitSignalRestartsTheLatency) {
  st::StrategySpec s = spec(close_lt(50), close_gt(50));
  s.execution.latency_bars = 2;
  const double closes[] = {10, 10, 10, 100, 100, 100, 100, 100, 10, 10, 100};
  std::vector<Candle> candles;
  for (int i = 0; i < 11; ++i) {
    const double o = 1000 + i;
    candles.push_back(C(i, o, std::max(o, closes[i]) + 1, std::min(o, closes[i]) - 1, closes[i]));
  }
  // Entry signal on bar 0 fills at the open of bar 0 + 1 + 2; the exit signal holds on bars 3 to 7,
  // each restarting the count, and fills two bars after it stops (bar 8).
  BacktestReport r = run(s, candles);
  EXPECT_EQ(trades_of(r), (std::vector<TradeView>{{3, 10, 1003, 1010, ExitReason::Signal}}));
}

TEST(BarLoop, NextOpenFillMeetsItsExitRuleOnTheSameBar) {
  st::StrategySpec s = spec(always(), Condition::bars_since_entry({st::CountTest::Op::Eq, 0}));
  std::vector<Candle> candles;
  for (int i = 0; i < 4; ++i) candles.push_back(flat(i, 100 + i));
  EXPECT_EQ(trades_of(run(s, candles)), (std::vector<TradeView>{
                                             {1, 2, 101, 102, ExitReason::Signal},
                                             {3, 3, 103, 103, ExitReason::End},
                                         }));
}

TEST(BarLoop, CloseFillMeetsItsExitRuleNextBarWithCountOne) {
  st::StrategySpec s = at_close(spec(always(), Condition::bars_since_entry({st::CountTest::Op::Eq, 1})));
  std::vector<Candle> candles;
  for (int i = 0; i < 4; ++i) candles.push_back(flat(i, 100 + i));
  // A signal exit at the close is not followed by an entry before the next bar.
  EXPECT_EQ(trades_of(run(s, candles)), (std::vector<TradeView>{
                                             {0, 1, 100, 101, ExitReason::Signal},
                                             {2, 3, 102, 103, ExitReason::Signal},
                                         }));
}

TEST(BarLoop, NextOpenFillFacesThatBarsStopLoss) {
  st::StrategySpec s = spec(close_gt(0), never());
  s.risk.stop_loss_pct = 5;
  // Entry signals again after the stop-out on bar 1 and fills on bar 2.
  BacktestReport r = run(s, {flat(0, 100), C(1, 100, 101, 94, 96), flat(2, 97)});
  EXPECT_EQ(trades_of(r), (std::vector<TradeView>{
                              {1, 1, 100, 95, ExitReason::StopLoss},
                              {2, 2, 97, 97, ExitReason::End},
                          }));
}

TEST(BarLoop, RiskExitLeavesTheBarFlatForEntries) {
  st::StrategySpec s = at_close(spec(always(), never()));
  s.risk.stop_loss_pct = 5;
  BacktestReport r = run(s, {flat(0, 100), C(1, 100, 100, 90, 92)});
  EXPECT_EQ(trades_of(r), (std::vector<TradeView>{
                              {0, 1, 100, 95, ExitReason::StopLoss},
                              {1, 1, 92, 92, ExitReason::End},
                          }));
}

TEST(BarLoop, PendingExitOutlivesItsPositionAndBlocksEntries) {
  st::StrategySpec s = spec(always(), always());
  s.execution.latency_bars = 1;
  s.risk.stop_loss_pct = 5;
  std::vector<Candle> candles;
  for (int i = 0; i < 7; ++i) candles.push_back(i == 3 ? C(3, 100, 100, 90, 92) : flat(i, 100));
  EXPECT_EQ(trades_of(run(s, candles)), (std::vector<TradeView>{
                                             {2, 3, 100, 95, ExitReason::StopLoss},
                                             {6, 6, 100, 100, ExitReason::End},
                                         }));
}

TEST(BarLoop, LongWinsWhenBothEntriesHold) {
  st::StrategySpec s = at_close(spec(always(), never()));
  s.short_entry = always();
  BacktestReport r = run(s, {flat(0, 100), flat(1, 100)});
  ASSERT_EQ(r.trades.size(), 1u);
  EXPECT_GT(r.trades[0].qty, 0.0);
}

TEST(BarLoop, ShortWithFixedSlippage) {
  st::StrategySpec s = at_close(spec(never(), never()));
  s.short_entry = always();
  s.costs.slippage = st::slippage::FixedBps{10};
  s.costs.taker_bps = 5;
  BacktestReport r = run(s, {flat(0, 100), flat(1, 100)});
  const double fill = 100.0 * ((10 / 10000.0) * -1.0 + 1.0);
  EXPECT_EQ(fill, 99.9);
  const double fee = (fill * 1.0) * (5 / 10000.0);
  ASSERT_EQ(r.trades.size(), 1u);
  const TradeRecord& t = r.trades[0];
  EXPECT_EQ(t.qty, -1.0);
  EXPECT_EQ(t.entry_price, fill);
  EXPECT_EQ(t.exit_price, 100.0) << "the end-of-data close has no slippage";
  EXPECT_EQ(r.equity[1].equity, (INITIAL_CAPITAL - (fill * (-1.0 * 1.0) + fee)) + 100.0 * -1.0);
  EXPECT_EQ(t.return_pct, (t.pnl / (1.0 * fill)) * 100.0);
  EXPECT_LT(t.pnl, 0.0);
}

TEST(BarLoop, ShortSignalExitUsesShortExitElseExit) {
  st::StrategySpec s = at_close(spec(never(), never()));
  s.short_entry = Condition::in_position(false);
  s.exit = close_gt(105);
  BacktestReport r = run(s, {flat(0, 100), flat(1, 106), flat(2, 106)});
  EXPECT_EQ(trades_of(r), (std::vector<TradeView>{{0, 1, 100, 106, ExitReason::Signal},
                                                  {2, 2, 106, 106, ExitReason::End}}));
  s.short_exit = never();
  r = run(s, {flat(0, 100), flat(1, 106), flat(2, 106)});
  EXPECT_EQ(trades_of(r), (std::vector<TradeView>{{0, 2, 100, 106, ExitReason::End}}));
}

TEST(BarLoop, LimitEntryWaitsThenFillsAtItsPriceAsMaker) {
  st::StrategySpec s = spec(always(), never());
  s.execution.order_type = st::OrderType::Limit;
  s.execution.limit_offset_pct = -5;
  s.costs.maker_bps = 2;
  s.costs.taker_bps = 5;
  BacktestReport r = run(s, {flat(0, 100), C(1, 98, 99, 96, 97), C(2, 97, 98, 94.5, 96), flat(3, 96)});
  const double limit = 100.0 * (-5.0 / 100.0 + 1.0);
  ASSERT_EQ(r.trades.size(), 1u);
  EXPECT_EQ(r.trades[0].entry_time, 2);
  EXPECT_EQ(r.trades[0].entry_price, limit);
  EXPECT_EQ(r.fees_paid, (limit * 1.0) * (2 / 10000.0) + (1.0 * 96.0) * (5 / 10000.0));
}

TEST(BarLoop, VolTargetDeclinesWithoutHistoryAndTriesAgain) {
  st::StrategySpec s = spec(always(), never());
  s.sizing = st::sizing::VolTarget{0.01, 3};
  std::vector<Candle> candles = {flat(0, 100), flat(1, 110), flat(2, 99), flat(3, 104), flat(4, 104)};
  // The fill at bar 3's open sees the closes of bars 0 to 2 only.
  BacktestReport r = run(s, candles);
  ASSERT_EQ(r.trades.size(), 1u);
  EXPECT_EQ(r.trades[0].entry_time, 3);
}

TEST(BarLoop, WarmupDelaysTheFirstOrder) {
  st::StrategySpec s = at_close(spec(always(), never()));
  s.warmup = 3;
  std::vector<Candle> candles;
  for (int i = 0; i < 5; ++i) candles.push_back(flat(i, 100));
  BacktestReport r = run(s, candles);
  ASSERT_EQ(r.trades.size(), 1u);
  EXPECT_EQ(r.trades[0].entry_time, 3);
  EXPECT_EQ(r.equity.size(), 5u);
}

TEST(BarLoop, PositionTooSmallToCountAsOpenIsDeclined) {
  // 1e-17 units is positive but not above the open-position threshold: taking it would move cash
  // while the loop treats the account as flat (re-entering over it and never closing it).
  st::StrategySpec s = at_close(spec(always(), never()));
  s.sizing = st::sizing::FixedQty{1e-17};
  s.costs.taker_bps = 10;
  std::vector<Candle> candles = {flat(0, 1e17), flat(1, 2e17), flat(2, 3e17)};
  BarLoop loop(s, {}, candles.size());
  for (const Candle& c : candles) {
    loop.step(c);
    EXPECT_EQ(loop.account().quantity, 0.0);
    EXPECT_EQ(loop.account().cash, INITIAL_CAPITAL);
  }
  BacktestReport r = loop.finish();
  EXPECT_TRUE(r.trades.empty());
  EXPECT_EQ(r.fees_paid, 0.0);
  for (const EquityPoint& p : r.equity) EXPECT_EQ(p.equity, INITIAL_CAPITAL);

  // Just above the threshold the position is real and is closed at the end.
  s.sizing = st::sizing::FixedQty{3e-16};
  BacktestReport open = run(s, candles);
  ASSERT_EQ(open.trades.size(), 1u);
  EXPECT_EQ(open.trades[0].reason, ExitReason::End);
  EXPECT_EQ(open.trades[0].entry_time, 0);
}

TEST(BarLoop, HistoryIsBoundedByTheCandlesNotTheLookBack) {
  const std::uint32_t big = 4294967295u;
  st::StrategySpec s = spec(
      Condition::compare(K::Gt, Operand::prev(Operand::prev(close(), big), big), Operand::num(0)),
      never());
  BarLoop loop(s, {}, 5);
  EXPECT_EQ(loop.history_depth(), 8589934590ull);
  EXPECT_EQ(loop.history_capacity(), 5u);
  for (int i = 0; i < 5; ++i) loop.step(flat(i, 100));
  EXPECT_TRUE(loop.finish().trades.empty()) << "a look-back beyond the data yields nothing";

  st::StrategySpec v = spec(never(), never());
  v.sizing = st::sizing::VolTarget{0.1, big};
  BarLoop vol(v, {}, 3);
  EXPECT_EQ(vol.history_capacity(), 3u);

  st::StrategySpec shallow = spec(Condition::compare(K::CrossAbove, Operand::prev(close(), 2), Operand::num(1)), never());
  BarLoop small(shallow, {}, 1000);
  EXPECT_EQ(small.history_depth(), 3u);
  EXPECT_EQ(small.history_capacity(), 4u);
}

// ---------------------------------------------------------------------------------------------
// Indicator values in the rules

struct Step {
  std::optional<double> value;
  double up = 0, down = 0;
};

// Yields a scripted sequence; with named outputs "up" and "down" when `multi`.
class Scripted : public sorvik::BarIndicator {
 public:
  Scripted(std::vector<Step> steps, bool multi, std::uint64_t warmup)
      : steps_(std::move(steps)), multi_(multi), warmup_(warmup) {}
  std::optional<double> update(const sorvik::BarContext&) override {
    const Step s = k_ < steps_.size() ? steps_[k_] : Step{};
    ++k_;
    if (s.value && multi_) {
      outs_[0] = {"up", s.up};
      outs_[1] = {"down", s.down};
    }
    return s.value;
  }
  std::span<const sorvik::NamedValue> extra_outputs() const override {
    return multi_ ? std::span<const sorvik::NamedValue>(outs_) : std::span<const sorvik::NamedValue>();
  }
  std::uint64_t warmup_period() const override { return warmup_; }

 private:
  std::vector<Step> steps_;
  bool multi_;
  std::uint64_t warmup_;
  std::size_t k_ = 0;
  sorvik::NamedValue outs_[2];
};

TEST(BarLoop, RulesReadIndicatorValuesByKey) {
  struct Case {
    const char* name;
    Condition entry;
    std::vector<Step> m;                      // id "m", outputs up/down
    std::optional<std::vector<Step>> m_up;    // id "m.up", single output
    std::optional<std::int64_t> first_entry;
  };
  const auto gt = [](const char* r, double x) { return Condition::compare(K::Gt, Operand::ref(r), Operand::num(x)); };
  std::vector<Case> cases = {
      {"primary value", gt("m", 5), {{1.0}, {9.0}, {9.0}}, std::nullopt, 1},
      {"named output", gt("m.up", 100), {{1.0, 1}, {1.0, 1}, {1.0, 200}}, std::nullopt, 2},
      {"second named output", gt("m.down", 100), {{1.0, 0, 1}, {1.0, 0, 200}}, std::nullopt, 1},
      {"unknown output never yields", gt("m.side", -1e300), {{1.0}, {1.0}}, std::nullopt, std::nullopt},
      {"no outputs stored for an update that yields nothing",
       Condition::negate(gt("m.up", 100)), {{1.0, 200}, {std::nullopt}}, std::nullopt, 1},
      {"a later id replaces the same key", gt("m.up", 100),
       {{1.0, 200}, {1.0, 200}}, std::vector<Step>{{50.0}, {std::nullopt}}, 1},
  };
  for (const Case& c : cases) {
    st::StrategySpec s = at_close(spec(c.entry, never()));
    s.warmup = c.name[0] == 'n' && c.name[1] == 'o' ? 1u : 0u;
    std::vector<DeclaredIndicator> inds;
    inds.push_back({"m", std::make_unique<Scripted>(c.m, true, 1)});
    if (c.m_up) inds.push_back({"m.up", std::make_unique<Scripted>(*c.m_up, false, 1)});
    BarLoop loop(s, std::move(inds), 4);
    for (int i = 0; i < 4; ++i) loop.step(flat(i, 100));
    BacktestReport r = loop.finish();
    std::optional<std::int64_t> first;
    if (!r.trades.empty()) first = r.trades[0].entry_time;
    EXPECT_EQ(first, c.first_entry) << c.name;
  }
}

TEST(BarLoop, WarmupDefaultsToTheLargestIndicatorWarmup) {
  st::StrategySpec s = spec(always(), never());
  std::vector<DeclaredIndicator> inds;
  inds.push_back({"a", std::make_unique<Scripted>(std::vector<Step>{}, false, 4)});
  inds.push_back({"b", std::make_unique<Scripted>(std::vector<Step>{}, true, 9)});
  BarLoop loop(s, std::move(inds), 10);
  EXPECT_EQ(loop.warmup(), 9u);
  BarLoop none(s, {}, 10);
  EXPECT_EQ(none.warmup(), 0u);
  s.warmup = 2;
  std::vector<DeclaredIndicator> more;
  more.push_back({"a", std::make_unique<Scripted>(std::vector<Step>{}, false, 40)});
  BarLoop given(s, std::move(more), 10);
  EXPECT_EQ(given.warmup(), 2u);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "sorvik_backtest/execution.hpp"
#include "sorvik_backtest/report.hpp"
#include "sorvik_backtest/sizing.hpp"

namespace {

using namespace sorvik::backtest;
namespace st = sorvik::strategy;
using sorvik::Candle;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double INF = std::numeric_limits<double>::infinity();

Candle bar(double o, double h, double l, double c, double v = 0.0, std::int64_t t = 0) {
  return Candle{t, o, h, l, c, v};
}

// ---------------------------------------------------------------------------------------------
// Order placement and fill prices

TEST(PlaceEntry, OffsetsAreSignedPercentagesOfTheClose) {
  st::Execution ex;
  ex.latency_bars = 4;
  ex.order_type = st::OrderType::Limit;
  ex.limit_offset_pct = -2.0;
  PendingOrder o = place_entry(Side::Short, 50.0, ex);
  EXPECT_EQ(o.kind, OrderKind::Limit);
  EXPECT_EQ(o.side, Side::Short);
  EXPECT_EQ(o.latency, 4u);
  EXPECT_EQ(o.first_price, 50.0 * (-2.0 / 100.0 + 1.0));

  ex.order_type = st::OrderType::StopLimit;
  ex.stop_offset_pct = 1.0;
  o = place_entry(Side::Long, 200.0, ex);
  EXPECT_EQ(o.kind, OrderKind::StopLimit);
  EXPECT_EQ(o.first_price, 200.0 * (1.0 / 100.0 + 1.0));
  EXPECT_EQ(o.second_price, 200.0 * (-2.0 / 100.0 + 1.0));

  ex.order_type = st::OrderType::Market;
  o = place_entry(Side::Long, 200.0, ex);
  EXPECT_EQ(o.kind, OrderKind::Market);

  PendingOrder x = place_exit(ExitReason::Signal, 2);
  EXPECT_EQ(x.kind, OrderKind::Exit);
  EXPECT_EQ(x.latency, 2u);
}

TEST(EntryFill, EveryOrderTypeAndSide) {
  auto order = [](OrderKind k, Side s, double p1, double p2 = 0.0) {
    PendingOrder o;
    o.kind = k;
    o.side = s;
    o.first_price = p1;
    o.second_price = p2;
    return o;
  };
  struct Case {
    const char* name;
    PendingOrder o;
    Candle c;
    std::optional<double> price;
    FeeRole role = FeeRole::Taker;
  };
  const auto L = Side::Long, S = Side::Short;
  std::vector<Case> cases = {
      {"market at the open", order(OrderKind::Market, L, 0), bar(101, 105, 99, 104), 101.0},
      {"market at a NaN open", order(OrderKind::Market, S, 0), bar(NaN, 105, 99, 104), NaN},
      {"long limit below the low waits", order(OrderKind::Limit, L, 98), bar(101, 105, 99, 104),
       std::nullopt},
      {"long limit touched", order(OrderKind::Limit, L, 99.5), bar(101, 105, 99, 104), 99.5,
       FeeRole::Maker},
      {"long limit improved by a lower open", order(OrderKind::Limit, L, 99.5),
       bar(99, 105, 98, 104), 99.0, FeeRole::Maker},
      {"long limit at a NaN open", order(OrderKind::Limit, L, 99.5), bar(NaN, 105, 98, 104), 99.5,
       FeeRole::Maker},
      {"short limit above the high waits", order(OrderKind::Limit, S, 106), bar(101, 105, 99, 104),
       std::nullopt},
      {"short limit touched", order(OrderKind::Limit, S, 104), bar(101, 105, 99, 104), 104.0,
       FeeRole::Maker},
      {"short limit improved by a higher open", order(OrderKind::Limit, S, 104),
       bar(106, 107, 99, 104), 106.0, FeeRole::Maker},
      {"long stop not reached", order(OrderKind::Stop, L, 106), bar(101, 105, 99, 104),
       std::nullopt},
      {"long stop reached", order(OrderKind::Stop, L, 103), bar(101, 105, 99, 104), 103.0},
      {"long stop gapped through fills at the open", order(OrderKind::Stop, L, 103),
       bar(104, 105, 99, 104), 104.0},
      {"short stop reached", order(OrderKind::Stop, S, 100), bar(101, 105, 99, 104), 100.0},
      {"short stop gapped through", order(OrderKind::Stop, S, 100), bar(97, 105, 96, 104), 97.0},
      {"long stop-limit in range", order(OrderKind::StopLimit, L, 102, 103),
       bar(101, 105, 99, 104), 102.0},
      {"long stop-limit capped by its limit", order(OrderKind::StopLimit, L, 102, 101.5),
       bar(103, 105, 99, 104), 101.5},
      {"long stop-limit whose limit is below the bar", order(OrderKind::StopLimit, L, 102, 98),
       bar(101, 105, 99, 104), std::nullopt},
      {"short stop-limit", order(OrderKind::StopLimit, S, 100, 99.5), bar(101, 105, 99, 104),
       100.0},
      {"short stop-limit floored by its limit", order(OrderKind::StopLimit, S, 100, 100.5),
       bar(98, 105, 97, 104), 100.5},
      {"NaN high never fills a long stop", order(OrderKind::Stop, L, 103),
       bar(101, NaN, 99, 104), std::nullopt},
  };
  for (const Case& c : cases) {
    auto f = entry_fill(c.o, c.c);
    ASSERT_EQ(f.has_value(), c.price.has_value()) << c.name;
    if (!f) continue;
    if (std::isnan(*c.price)) {
      EXPECT_TRUE(std::isnan(f->price)) << c.name;
    } else {
      EXPECT_EQ(f->price, *c.price) << c.name;
    }
    EXPECT_EQ(f->role, c.role) << c.name;
  }
}

TEST(Slippage, Models) {
  Candle c = bar(100, 101, 99, 100, 50.0);
  EXPECT_EQ(slippage_fraction(st::slippage::FixedBps{10}, 123, c), 10 / 10000.0);
  EXPECT_EQ(slippage_fraction(st::slippage::VolumeImpact{0.3}, 5, c), (5 * 0.3) / 50.0);
  Candle dry = bar(100, 101, 99, 100, 0.0);
  EXPECT_EQ(slippage_fraction(st::slippage::VolumeImpact{0.3}, 5, dry), 0.0);
  EXPECT_EQ(slippage_fraction(st::slippage::Spread{}, 5, c), 0.0);
}

TEST(ClosePosition, CashPnlAndReturnIncludeBothFees) {
  Account a;
  a.cash = 8999.0;
  a.quantity = 10.0;
  a.entry_price = 100.0;
  a.entry_time = 7;
  a.entry_fee = 1.0;
  a.fees_paid = 1.0;
  close_position(a, 110.0, 2.0, ExitReason::TakeProfit, 9);
  EXPECT_EQ(a.cash, ((110.0 * 10.0) - 2.0) + 8999.0);
  EXPECT_EQ(a.fees_paid, 3.0);
  EXPECT_EQ(a.quantity, 0.0);
  EXPECT_EQ(a.entry_fee, 0.0);
  ASSERT_EQ(a.trades.size(), 1u);
  const TradeRecord& t = a.trades[0];
  EXPECT_EQ(t.entry_time, 7);
  EXPECT_EQ(t.exit_time, 9);
  EXPECT_EQ(t.pnl, 97.0);
  EXPECT_EQ(t.return_pct, (97.0 / 1000.0) * 100.0);
  EXPECT_EQ(t.reason, ExitReason::TakeProfit);
  EXPECT_EQ(a.cash - INITIAL_CAPITAL, t.pnl) << "pnl equals the change in cash";

  Account s;
  s.quantity = -5.0;
  s.entry_price = 0.0;
  close_position(s, 3.0, 0.0, ExitReason::Signal, 1);
  EXPECT_EQ(s.trades[0].qty, -5.0);
  EXPECT_EQ(s.trades[0].return_pct, 0.0) << "zero entry notional";
}

TEST(ReasonName, Texts) {
  EXPECT_EQ(reason_name(ExitReason::Signal), "signal");
  EXPECT_EQ(reason_name(ExitReason::End), "end");
  EXPECT_EQ(reason_name(ExitReason::StopLoss), "stop_loss");
  EXPECT_EQ(reason_name(ExitReason::TrailingStop), "trailing_stop");
  EXPECT_EQ(reason_name(ExitReason::TakeProfit), "take_profit");
  EXPECT_EQ(reason_name(ExitReason::Liquidation), "liquidation");
}

// ---------------------------------------------------------------------------------------------
// Sizing

TEST(SizePosition, Examples) {
  struct Case {
    const char* name;
    st::Sizing sizing;
    std::optional<double> stop, leverage, position_pct, participation;
    double cash, price, volume;
    std::optional<double> vol;
    std::optional<double> want;
  };
  const auto none = std::nullopt;
  std::vector<Case> cases = {
      {"fixed fraction", st::sizing::FixedFraction{0.5}, none, none, none, none, 10000, 100, 0,
       none, 50.0},
      {"fixed fraction capped by position share", st::sizing::FixedFraction{0.5}, none, none, 20.0,
       none, 10000, 100, 0, none, 20.0},
      {"fixed qty capped by cash", st::sizing::FixedQty{1000}, none, none, none, none, 10000, 100,
       0, none, 100.0},
      {"fixed qty with leverage 2", st::sizing::FixedQty{1000}, none, 2.0, none, none, 10000, 100,
       0, none, 200.0},
      {"fixed cash", st::sizing::FixedCash{2500}, none, none, none, none, 10000, 50, 0, none, 50.0},
      {"risk per trade", st::sizing::RiskPerTrade{1}, 2.0, none, none, none, 10000, 100, 0, none,
       50.0},
      {"risk per trade with a zero stop declines", st::sizing::RiskPerTrade{1}, 0.0, none, none,
       none, 10000, 100, 0, none, none},
      {"vol target", st::sizing::VolTarget{0.02, 20}, none, none, none, none, 10000, 100, 0, 0.04,
       ((0.02 * 10000) / 0.04) / 100},
      {"vol target without a volatility declines", st::sizing::VolTarget{0.02, 20}, none, none,
       none, none, 10000, 100, 0, none, none},
      {"participation caps to a share of volume", st::sizing::FixedQty{10}, none, none, none, 0.1,
       10000, 100, 30, none, 0.1 * 30},
      {"participation on a bar without volume declines", st::sizing::FixedQty{10}, none, none,
       none, 0.1, 10000, 100, 0, none, none},
      {"negative fraction declines", st::sizing::FixedFraction{-0.5}, none, none, none, none, 10000,
       100, 0, none, none},
  };
  for (const Case& c : cases) {
    st::StrategySpec s;
    s.sizing = c.sizing;
    s.risk.stop_loss_pct = c.stop;
    s.risk.max_leverage = c.leverage;
    s.risk.max_position_pct = c.position_pct;
    if (c.participation) {
      s.execution.partial_fills = true;
      s.execution.max_participation = c.participation;
    }
    EXPECT_EQ(size_position(s, c.cash, c.price, c.vol, bar(c.price, c.price, c.price, c.price, c.volume)),
              c.want)
        << c.name;
  }
}

TEST(SizePosition, ProvisionalSizeIgnoresParticipation) {
  st::StrategySpec s;
  s.sizing = st::sizing::FixedQty{10};
  s.execution.partial_fills = true;
  s.execution.max_participation = 0.1;
  EXPECT_EQ(provisional_size(s, 10000, 100, std::nullopt), 10.0);
  EXPECT_EQ(provisional_size(s, 0, 100, std::nullopt), 0.0);
  EXPECT_EQ(provisional_size(s, 10000, -1, std::nullopt), 0.0);
  s.sizing = st::sizing::VolTarget{1, 5};
  EXPECT_EQ(provisional_size(s, 10000, 100, std::nullopt), 0.0);
}

TEST(VolatilityEstimate, PopulationDeviationOfSimpleReturns) {
  auto history = [](std::vector<double> closes) {
    st::History h(closes.size() + 1, 0);
    for (double c : closes) h.push(bar(c, c, c, c));
    return h;
  };
  st::History h = history({100, 110, 99, 99});
  // Last three closes: 110, 99, 99 -> returns -0.1, 0.
  const double r0 = (99.0 - 110.0) / 110.0;
  const double r1 = (99.0 - 99.0) / 99.0;
  const double mean = (0.0 + r0 + r1) / 2.0;
  const double var = ((0.0 + (r0 - mean) * (r0 - mean)) + (r1 - mean) * (r1 - mean)) / 2.0;
  EXPECT_EQ(volatility_estimate(h, 3), std::sqrt(var));
  EXPECT_EQ(volatility_estimate(h, 1), std::nullopt) << "look-back below 2";
  EXPECT_EQ(volatility_estimate(h, 5), std::nullopt) << "fewer snapshots than the look-back";
  EXPECT_EQ(volatility_estimate(h, 2), std::nullopt) << "a single return has no variance";
  EXPECT_EQ(volatility_estimate(history({5, 5, 5}), 3), std::nullopt) << "constant closes";
  // A zero close skips its pair, leaving one return here.
  EXPECT_EQ(volatility_estimate(history({0, 1, 2}), 3), std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// Risk exits

TEST(RiskExit, Table) {
  struct Case {
    const char* name;
    double qty, entry, cash;
    st::Risk risk;
    Candle c;
    std::optional<double> price;
    ExitReason reason = ExitReason::StopLoss;
    double anchor_before = 0, anchor_after = 0;
  };
  st::Risk sl5;
  sl5.stop_loss_pct = 5;
  st::Risk tr10;
  tr10.trailing_stop_pct = 10;
  st::Risk tp10;
  tp10.take_profit_pct = 10;
  st::Risk both = sl5;
  both.take_profit_pct = 1;
  st::Risk liq;
  liq.liquidation = true;
  std::vector<Case> cases = {
      {"long stop at the level", 10, 100, 9000, sl5, bar(99, 101, 95, 96), 95.0,
       ExitReason::StopLoss, 100, 101},
      {"long stop gapped through exits at the open", 10, 100, 9000, sl5, bar(94, 96, 90, 95), 94.0,
       ExitReason::StopLoss, 100, 100},
      {"long stop not reached", 10, 100, 9000, sl5, bar(99, 101, 95.01, 96), std::nullopt,
       ExitReason::StopLoss, 100, 101},
      {"long stop at a NaN open exits at the level", 10, 100, 9000, sl5, bar(NaN, 101, 90, 96), 95.0,
       ExitReason::StopLoss, 100, 101},
      {"short stop", -10, 100, 11000, sl5, bar(101, 106, 100, 104), 105.0, ExitReason::StopLoss, 100,
       100},
      {"trailing stop from the bar's own high", 10, 100, 9000, tr10, bar(110, 120, 107, 115), 108.0,
       ExitReason::TrailingStop, 100, 120},
      {"short trailing stop", -10, 100, 11000, tr10, bar(85, 90, 80, 89), (10.0 / 100.0 + 1.0) * 80.0,
       ExitReason::TrailingStop, 100, 80},
      {"long take profit", 10, 100, 9000, tp10, bar(105, 111, 104, 108), (10.0 / 100.0 + 1.0) * 100.0,
       ExitReason::TakeProfit, 100, 111},
      {"long take profit gapped through", 10, 100, 9000, tp10, bar(112, 115, 111, 113), 112.0,
       ExitReason::TakeProfit, 100, 115},
      {"short take profit", -10, 100, 11000, tp10, bar(95, 96, 89, 92), 90.0,
       ExitReason::TakeProfit, 100, 89},
      {"stop wins over take profit", 10, 100, 9000, both, bar(100, 102, 94, 100), 95.0,
       ExitReason::StopLoss, 100, 102},
      {"short liquidation at L", -300, 100, 40000, liq, bar(130, 140, 129, 135), 40000.0 / 300.0,
       ExitReason::Liquidation, 100, 100},
      {"short liquidation not reached", -300, 100, 40000, liq, bar(130, 133, 129, 131),
       std::nullopt, ExitReason::Liquidation, 100, 100},
      {"unlevered long never liquidates", 10, 100, 9000, liq, bar(1, 1, 0.5, 1), std::nullopt,
       ExitReason::Liquidation, 100, 100},
      {"no price tests without a positive entry, liquidation still", -300, 0, 40000,
       [] { st::Risk r; r.stop_loss_pct = 1; r.liquidation = true; return r; }(),
       bar(130, 140, 129, 135), 40000.0 / 300.0, ExitReason::Liquidation, 100, 100},
      {"NaN high leaves the anchor", 10, 100, 9000, tr10, bar(100, NaN, 99, 100), std::nullopt,
       ExitReason::TrailingStop, 100, 100},
  };
  for (const Case& c : cases) {
    Account a;
    a.quantity = c.qty;
    a.entry_price = c.entry;
    a.cash = c.cash;
    double anchor = c.anchor_before;
    auto hit = risk_exit(a, anchor, c.c, c.risk);
    ASSERT_EQ(hit.has_value(), c.price.has_value()) << c.name;
    EXPECT_EQ(anchor, c.anchor_after) << c.name;
    if (!hit) continue;
    EXPECT_EQ(hit->price, *c.price) << c.name;
    EXPECT_EQ(hit->reason, c.reason) << c.name;
  }
}

// ---------------------------------------------------------------------------------------------
// Metrics

std::vector<EquityPoint> curve(std::vector<double> values) {
  std::vector<EquityPoint> out;
  for (std::size_t k = 0; k < values.size(); ++k) out.push_back({static_cast<std::int64_t>(k), values[k]});
  return out;
}

TradeRecord trade(double pnl) {
  TradeRecord t;
  t.pnl = pnl;
  return t;
}

TEST(Metrics, RiseAndFall) {
  ReportMetrics m = compute_metrics(curve({10000, 11000, 9900}), {});
  EXPECT_EQ(m.pnl, -100.0);
  EXPECT_EQ(m.return_pct, -1.0);
  EXPECT_EQ(m.max_drawdown, 10.0);
  EXPECT_EQ(m.calmar, -1.0 / 10.0);
  const double r0 = (11000.0 / 10000.0) - 1.0;
  const double r1 = (9900.0 / 11000.0) - 1.0;
  const double mean = ((0.0 + r0) + r1) / 2.0;
  EXPECT_EQ(mean, 5.551115123125783e-17);
  const double sd = std::sqrt(((0.0 + (r0 - mean) * (r0 - mean)) + (r1 - mean) * (r1 - mean)) / 2.0);
  EXPECT_EQ(m.sharpe, 5.551115123125783e-17 / sd);
  EXPECT_GT(m.sharpe, 0.0);
  const double dd = std::sqrt((0.0 + r1 * r1) / 2.0);
  EXPECT_EQ(m.sortino, mean / dd);
}

TEST(Metrics, UndefinedRatios) {
  struct Case {
    const char* name;
    std::vector<double> equity;
    std::vector<double> pnls;
    ReportMetrics want;
  };
  std::vector<Case> cases = {
      {"one candle", {10000}, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"flat without trades", {10000, 10000, 10000}, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"only rising: infinite calmar", {10000, 10500}, {}, {500, 5, 0, 0, INF, 0, 0, 0, 0}},
      {"all winners: infinite profit factor", {10000}, {5, 7}, {0, 0, 0, 0, 0, 0, 100, INF, 2}},
      {"all losers: profit factor 0", {10000}, {-5, -7}, {0, 0, 0, 0, 0, 0, 0, 0, 2}},
      {"a zero pnl is neither win nor loss", {10000}, {0, 6, -3}, {0, 0, 0, 0, 0, 0, (1.0 / 3.0) * 100.0, 2, 3}},
  };
  for (const Case& c : cases) {
    std::vector<TradeRecord> ts;
    for (double p : c.pnls) ts.push_back(trade(p));
    ReportMetrics m = compute_metrics(curve(c.equity), ts);
    EXPECT_EQ(m.pnl, c.want.pnl) << c.name;
    EXPECT_EQ(m.return_pct, c.want.return_pct) << c.name;
    if (c.equity.size() == 1 || c.name[0] == 'f') {
      EXPECT_EQ(m.sharpe, 0.0) << c.name;
      EXPECT_EQ(m.sortino, 0.0) << c.name;
    }
    EXPECT_EQ(m.calmar, c.want.calmar) << c.name;
    EXPECT_EQ(m.max_drawdown, c.want.max_drawdown) << c.name;
    EXPECT_EQ(m.win_rate, c.want.win_rate) << c.name;
    EXPECT_EQ(m.profit_factor, c.want.profit_factor) << c.name;
    EXPECT_EQ(m.num_trades, c.want.num_trades) << c.name;
  }
}

TEST(Metrics, NaNEquityLeavesThePeak) {
  ReportMetrics m = compute_metrics(curve({10000, NaN, 9000}), {});
  EXPECT_EQ(m.max_drawdown, 10.0);
  EXPECT_TRUE(std::isnan(m.pnl) == false);
  EXPECT_TRUE(std::isnan(m.sharpe));
}

}  // namespace

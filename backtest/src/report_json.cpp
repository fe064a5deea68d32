#include <cmath>

#include "sorvik_backtest/report.hpp"

namespace sorvik::backtest {

namespace {

json::Value number(double x) { return std::isfinite(x) ? json::Value::f64(x) : json::Value::null(); }

json::Value integer(std::int64_t x) {
  return x < 0 ? json::Value::i64(x) : json::Value::u64(static_cast<std::uint64_t>(x));
}

}  // namespace

json::Value report_to_json(const BacktestReport& r) {
  json::ObjectBuilder metrics;
  metrics.reserve(9);
  metrics.add("pnl", number(r.metrics.pnl))
      .add("return_pct", number(r.metrics.return_pct))
      .add("sharpe", number(r.metrics.sharpe))
      .add("sortino", number(r.metrics.sortino))
      .add("calmar", number(r.metrics.calmar))
      .add("max_drawdown", number(r.metrics.max_drawdown))
      .add("win_rate", number(r.metrics.win_rate))
      .add("profit_factor", number(r.metrics.profit_factor))
      .add("num_trades", json::Value::u64(r.metrics.num_trades));

  json::ArrayBuilder trades;
  trades.reserve(r.trades.size());
  for (const TradeRecord& t : r.trades) {
    json::ObjectBuilder o;
    o.reserve(8);
    o.add("entry_time", integer(t.entry_time))
        .add("exit_time", integer(t.exit_time))
        .add("entry_price", number(t.entry_price))
        .add("exit_price", number(t.exit_price))
        .add("qty", number(t.qty))
        .add("pnl", number(t.pnl))
        .add("return_pct", number(t.return_pct))
        .add("reason", json::Value::string(reason_name(t.reason)));
    trades.push(std::move(o).build());
  }

  json::ArrayBuilder equity;
  equity.reserve(r.equity.size());
  for (const EquityPoint& p : r.equity) {
    json::ObjectBuilder o;
    o.reserve(2);
    o.add("time", integer(p.time)).add("equity", number(p.equity));
    equity.push(std::move(o).build());
  }

  json::ObjectBuilder report;
  report.reserve(8);
  report.add("schema_version", json::Value::u64(r.schema_version))
      .add("symbol", json::Value::string(r.symbol))
      .add("timeframe", json::Value::string(r.timeframe))
      .add("metrics", std::move(metrics).build())
      .add("trades", std::move(trades).build())
      .add("equity", std::move(equity).build())
      .add("fees_paid", number(r.fees_paid))
      .add("initial_capital", number(r.initial_capital));
  return std::move(report).build();
}

}  // namespace sorvik::backtest

#pragma once

// The backtest report and its metrics.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sorvik_backtest/execution.hpp"
#include "sorvik_json/value.hpp"

namespace sorvik::backtest {

struct EquityPoint {
  std::int64_t time = 0;
  double equity = 0.0;
};

struct ReportMetrics {
  double pnl = 0.0;
  double return_pct = 0.0;
  double sharpe = 0.0;
  double sortino = 0.0;
  double calmar = 0.0;
  double max_drawdown = 0.0;
  double win_rate = 0.0;
  double profit_factor = 0.0;
  std::uint64_t num_trades = 0;
};

struct BacktestReport {
  std::uint32_t schema_version = 1;
  std::string symbol;
  std::string timeframe;
  ReportMetrics metrics;
  std::vector<TradeRecord> trades;
  std::vector<EquityPoint> equity;
  double fees_paid = 0.0;
  double initial_capital = INITIAL_CAPITAL;
};

/// The nine metrics of an equity curve (at least one point) and the closed trades.
ReportMetrics compute_metrics(std::span<const EquityPoint> equity,
                              std::span<const TradeRecord> trades);

/// The report as a JSON value: records become objects, counts and times integers, every f64 a
/// float, except that NaN and infinities become null. Builds a value; writes no text.
json::Value report_to_json(const BacktestReport& r);

}  // namespace sorvik::backtest

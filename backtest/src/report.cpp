#include "sorvik_backtest/report.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sorvik::backtest {

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

// The k-th per-bar return: 0 across a (near-)zero equity.
double bar_return(std::span<const EquityPoint> e, std::size_t k) {
  const double ek = e[k].equity;
  return std::abs(ek) < EPSILON ? 0.0 : (e[k + 1].equity / ek) - 1.0;
}

}  // namespace

ReportMetrics compute_metrics(std::span<const EquityPoint> equity,
                              std::span<const TradeRecord> trades) {
  ReportMetrics m;
  const double initial = INITIAL_CAPITAL;
  const std::size_t n = equity.size();

  m.pnl = equity.empty() ? 0.0 : equity[n - 1].equity - initial;
  m.return_pct = std::abs(initial) < EPSILON ? 0.0 : (m.pnl / initial) * 100.0;

  if (n >= 2) {
    const std::size_t k_count = n - 1;
    const double kd = static_cast<double>(k_count);
    double sum = 0.0;
    for (std::size_t k = 0; k < k_count; ++k) sum = sum + bar_return(equity, k);
    const double mean = sum / kd;
    double sq = 0.0;
    double down = 0.0;
    for (std::size_t k = 0; k < k_count; ++k) {
      const double r = bar_return(equity, k);
      const double d = r - mean;
      sq = sq + d * d;
      const double neg = std::min(r, 0.0);
      down = down + neg * neg;
    }
    const double sd = std::sqrt(sq / kd);
    m.sharpe = std::abs(sd) < EPSILON ? 0.0 : mean / sd;
    const double dd = std::sqrt(down / kd);
    m.sortino = std::abs(dd) < EPSILON ? 0.0 : (sum / kd) / dd;
  }

  double result = 0.0;
  double peak = -INF;
  for (const EquityPoint& p : equity) {
    if (p.equity > peak) peak = p.equity;
    if (peak > 0.0) {
      const double d = ((peak - p.equity) / peak) * 100.0;
      if (d > result) result = d;
    }
  }
  m.max_drawdown = result;
  if (std::abs(m.max_drawdown) < EPSILON) {
    m.calmar = m.return_pct > 0.0 ? INF : 0.0;
  } else {
    m.calmar = m.return_pct / m.max_drawdown;
  }

  m.num_trades = trades.size();
  std::size_t wins = 0;
  double gross_profit = 0.0;
  double gross_loss = 0.0;
  for (const TradeRecord& t : trades) {
    if (t.pnl > 0.0) {
      ++wins;
      gross_profit = gross_profit + t.pnl;
    } else if (t.pnl < 0.0) {
      gross_loss = gross_loss + -t.pnl;
    }
  }
  m.win_rate = trades.empty()
                   ? 0.0
                   : (static_cast<double>(wins) / static_cast<double>(trades.size())) * 100.0;
  if (std::abs(gross_loss) < EPSILON) {
    m.profit_factor = gross_profit > 0.0 ? INF : 0.0;
  } else {
    m.profit_factor = gross_profit / gross_loss;
  }
  return m;
}

}  // namespace sorvik::backtest

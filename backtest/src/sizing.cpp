#include "sorvik_backtest/sizing.hpp"

#include <algorithm>
#include <cmath>
#include <variant>

namespace sorvik::backtest {

namespace sz = strategy::sizing;

std::optional<double> volatility_estimate(const strategy::History& h, std::uint32_t lookback) {
  const std::size_t n = lookback;
  const std::size_t m = h.size();
  if (n < 2 || m < n) return std::nullopt;
  const std::size_t first = m - n;
  // Two passes over the kept returns; they are recomputed rather than stored, so the estimate
  // allocates nothing whatever the look-back.
  auto ret = [&](std::size_t k, double& r) {
    const double c0 = h.candle(first + k).close;
    if (std::abs(c0) <= EPSILON) return false;
    r = (h.candle(first + k + 1).close - c0) / c0;
    return true;
  };
  std::size_t j = 0;
  double sum = 0.0;
  for (std::size_t k = 0; k + 1 < n; ++k) {
    double r;
    if (ret(k, r)) {
      sum = sum + r;
      ++j;
    }
  }
  if (j == 0) return std::nullopt;
  const double mean = sum / static_cast<double>(j);
  double sq = 0.0;
  for (std::size_t k = 0; k + 1 < n; ++k) {
    double r;
    if (ret(k, r)) {
      const double d = r - mean;
      sq = sq + d * d;
    }
  }
  const double variance = sq / static_cast<double>(j);
  if (variance > 0.0) return std::sqrt(variance);
  return std::nullopt;
}

std::optional<double> capped_size(const strategy::StrategySpec& spec, double cash, double price,
                                  std::optional<double> vol) {
  double raw = 0.0;
  if (const auto* s = std::get_if<sz::FixedFraction>(&spec.sizing)) {
    raw = (s->fraction * cash) / price;
  } else if (const auto* s = std::get_if<sz::FixedQty>(&spec.sizing)) {
    raw = s->qty;
  } else if (const auto* s = std::get_if<sz::FixedCash>(&spec.sizing)) {
    raw = s->cash / price;
  } else if (const auto* s = std::get_if<sz::VolTarget>(&spec.sizing)) {
    if (!vol) return std::nullopt;
    raw = ((s->target_vol * cash) / *vol) / price;
  } else if (const auto* s = std::get_if<sz::RiskPerTrade>(&spec.sizing)) {
    // Validation guarantees the stop distance is present.
    const double stop = spec.risk.stop_loss_pct.value_or(0.0);
    if (stop <= 0.0) return std::nullopt;
    raw = ((cash * s->risk_pct) / 100.0) / ((price * stop) / 100.0);
  }
  if (raw <= 0.0) return std::nullopt;

  // std::min(x, cap) keeps x when cap is NaN.
  double cap = spec.risk.max_leverage ? *spec.risk.max_leverage * cash : cash;
  if (spec.risk.max_position_pct) {
    const double p = (*spec.risk.max_position_pct * cash) / 100.0;
    cap = std::min(cap, p);
  }
  double notional = raw * price;
  notional = std::min(notional, cap);
  return notional / price;
}

std::optional<double> size_position(const strategy::StrategySpec& spec, double cash, double price,
                                    std::optional<double> vol, const Candle& c) {
  std::optional<double> size = capped_size(spec, cash, price, vol);
  if (!size) return std::nullopt;
  double q = *size;
  if (spec.execution.partial_fills) {
    const double v = spec.execution.max_participation.value_or(0.0) * c.volume;
    q = std::min(q, v);
  }
  if (q <= 0.0 || std::isnan(q)) return std::nullopt;
  return q;
}

double provisional_size(const strategy::StrategySpec& spec, double cash, double price,
                        std::optional<double> vol) {
  if (!(cash > 0.0) || !(price > 0.0)) return 0.0;
  std::optional<double> size = capped_size(spec, cash, price, vol);
  return size ? std::abs(*size) : 0.0;
}

std::optional<RiskExit> risk_exit(const Account& a, double& anchor, const Candle& c,
                                  const strategy::Risk& risk) {
  const double q = a.quantity;
  const double e = a.entry_price;
  const bool is_long = q > 0.0;
  // A NaN high or low fails the comparison and leaves the anchor where it was.
  if (is_long) {
    if (c.high > anchor) anchor = c.high;
  } else if (c.low < anchor) {
    anchor = c.low;
  }

  if (e > 0.0) {
    // Below the reference for a long stop (and a short target), above it otherwise.
    auto below = [&](double pct, double ref, ExitReason why) -> std::optional<RiskExit> {
      const double level = (pct / -100.0 + 1.0) * ref;
      if (level >= c.low) return RiskExit{min_open(c.open, level), why};
      return std::nullopt;
    };
    auto above = [&](double pct, double ref, ExitReason why) -> std::optional<RiskExit> {
      const double level = (pct / 100.0 + 1.0) * ref;
      if (c.high >= level) return RiskExit{max_open(c.open, level), why};
      return std::nullopt;
    };
    if (risk.stop_loss_pct) {
      auto hit = is_long ? below(*risk.stop_loss_pct, e, ExitReason::StopLoss)
                         : above(*risk.stop_loss_pct, e, ExitReason::StopLoss);
      if (hit) return hit;
    }
    if (risk.trailing_stop_pct) {
      auto hit = is_long ? below(*risk.trailing_stop_pct, anchor, ExitReason::TrailingStop)
                         : above(*risk.trailing_stop_pct, anchor, ExitReason::TrailingStop);
      if (hit) return hit;
    }
    if (risk.take_profit_pct) {
      auto hit = is_long ? above(*risk.take_profit_pct, e, ExitReason::TakeProfit)
                         : below(*risk.take_profit_pct, e, ExitReason::TakeProfit);
      if (hit) return hit;
    }
  }

  if (risk.liquidation) {
    const double level = (-a.cash) / q;
    if (level > 0.0 && (is_long ? level >= c.low : c.high >= level)) {
      return RiskExit{level, ExitReason::Liquidation};
    }
  }
  return std::nullopt;
}

}  // namespace sorvik::backtest

#include "sorvik_backtest/execution.hpp"

#include <cmath>
#include <variant>

namespace sorvik::backtest {

std::string_view reason_name(ExitReason r) {
  switch (r) {
    case ExitReason::Signal: return "signal";
    case ExitReason::End: return "end";
    case ExitReason::StopLoss: return "stop_loss";
    case ExitReason::TrailingStop: return "trailing_stop";
    case ExitReason::TakeProfit: return "take_profit";
    case ExitReason::Liquidation: return "liquidation";
  }
  return "signal";
}

void close_position(Account& a, double price, double fee, ExitReason reason, std::int64_t time) {
  const double q = a.quantity;
  const double e = a.entry_price;
  a.cash = ((price * q) - fee) + a.cash;
  a.fees_paid = a.fees_paid + fee;
  TradeRecord t;
  t.entry_time = a.entry_time;
  t.exit_time = time;
  t.entry_price = e;
  t.exit_price = price;
  t.qty = q;
  t.pnl = (((price - e) * q) - a.entry_fee) - fee;
  const double notional = std::abs(q) * e;
  t.return_pct = std::abs(notional) < EPSILON ? 0.0 : (t.pnl / notional) * 100.0;
  t.reason = reason;
  a.trades.push_back(t);
  a.quantity = 0.0;
  a.entry_fee = 0.0;
}

namespace {

double offset_factor(const std::optional<double>& pct) {
  return pct ? *pct / 100.0 + 1.0 : 1.0;
}

}  // namespace

PendingOrder place_entry(Side side, double close, const strategy::Execution& ex) {
  PendingOrder o;
  o.side = side;
  o.latency = ex.latency_bars;
  switch (ex.order_type) {
    case strategy::OrderType::Market:
      o.kind = OrderKind::Market;
      break;
    case strategy::OrderType::Limit:
      o.kind = OrderKind::Limit;
      o.first_price = close * offset_factor(ex.limit_offset_pct);
      break;
    case strategy::OrderType::Stop:
      o.kind = OrderKind::Stop;
      o.first_price = close * offset_factor(ex.stop_offset_pct);
      break;
    case strategy::OrderType::StopLimit:
      o.kind = OrderKind::StopLimit;
      o.first_price = close * offset_factor(ex.stop_offset_pct);
      o.second_price = close * offset_factor(ex.limit_offset_pct);
      break;
  }
  return o;
}

PendingOrder place_exit(ExitReason reason, std::uint32_t latency) {
  PendingOrder o;
  o.kind = OrderKind::Exit;
  o.reason = reason;
  o.latency = latency;
  return o;
}

std::optional<EntryFill> entry_fill(const PendingOrder& o, const Candle& c) {
  const double p1 = o.first_price;
  const double p2 = o.second_price;
  const bool is_long = o.side == Side::Long;
  switch (o.kind) {
    case OrderKind::Exit:
      return std::nullopt;
    case OrderKind::Market:
      return EntryFill{c.open, FeeRole::Taker};
    case OrderKind::Limit:
      if (is_long) {
        if (p1 >= c.low) return EntryFill{min_open(c.open, p1), FeeRole::Maker};
      } else if (c.high >= p1) {
        return EntryFill{max_open(c.open, p1), FeeRole::Maker};
      }
      return std::nullopt;
    case OrderKind::Stop:
      if (is_long) {
        if (c.high >= p1) return EntryFill{max_open(c.open, p1), FeeRole::Taker};
      } else if (p1 >= c.low) {
        return EntryFill{min_open(c.open, p1), FeeRole::Taker};
      }
      return std::nullopt;
    case OrderKind::StopLimit:
      // The outer bound gives the limit price when the inner value is NaN.
      if (is_long) {
        if (c.high >= p1 && p2 >= c.low) {
          return EntryFill{min_open(max_open(c.open, p1), p2), FeeRole::Taker};
        }
      } else if (p1 >= c.low && c.high >= p2) {
        return EntryFill{max_open(min_open(c.open, p1), p2), FeeRole::Taker};
      }
      return std::nullopt;
  }
  return std::nullopt;
}

double slippage_fraction(const strategy::Slippage& model, double qty, const Candle& c) {
  if (const auto* f = std::get_if<strategy::slippage::FixedBps>(&model)) return f->bps / 10000.0;
  if (const auto* v = std::get_if<strategy::slippage::VolumeImpact>(&model)) {
    return c.volume > 0.0 ? (qty * v->coef) / c.volume : 0.0;
  }
  // The spread model needs an order-book snapshot; a run built from candles has none.
  return 0.0;
}

}  // namespace sorvik::backtest

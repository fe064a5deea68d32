#pragma once

// The account, the pending order and the arithmetic of fills, slippage and fees.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "sorvik/records.hpp"
#include "sorvik_strategy/strategy_spec.hpp"

namespace sorvik::backtest {

using strategy::EPSILON;

/// The starting cash of every run.
inline constexpr double INITIAL_CAPITAL = 10000.0;

enum class Side : std::int8_t { Long = 1, Short = -1 };
inline double direction(Side s) { return s == Side::Long ? 1.0 : -1.0; }

enum class ExitReason : std::uint8_t { Signal, End, StopLoss, TrailingStop, TakeProfit, Liquidation };
/// "signal", "end", "stop_loss", "trailing_stop", "take_profit", "liquidation".
std::string_view reason_name(ExitReason r);

enum class FeeRole : std::uint8_t { Maker, Taker };

struct TradeRecord {
  std::int64_t entry_time = 0;
  std::int64_t exit_time = 0;
  double entry_price = 0.0;
  double exit_price = 0.0;
  double qty = 0.0;  // signed: negative for a short
  double pnl = 0.0;
  double return_pct = 0.0;
  ExitReason reason = ExitReason::Signal;
};

struct Account {
  double cash = INITIAL_CAPITAL;
  double quantity = 0.0;
  double entry_price = 0.0;
  std::int64_t entry_time = 0;
  double entry_fee = 0.0;
  double fees_paid = 0.0;
  std::vector<TradeRecord> trades;

  bool is_open() const { return quantity > EPSILON || quantity < -EPSILON; }
};

/// Appends the closed trade and flattens the account, in the stated operation order.
void close_position(Account& a, double price, double fee, ExitReason reason, std::int64_t time);

enum class OrderKind : std::uint8_t { Exit, Market, Limit, Stop, StopLimit };

struct PendingOrder {
  OrderKind kind = OrderKind::Market;
  Side side = Side::Long;
  double first_price = 0.0;   // limit price (limit), stop price (stop, stop-limit)
  double second_price = 0.0;  // limit price of a stop-limit
  ExitReason reason = ExitReason::Signal;
  std::uint32_t latency = 0;
};

/// The entry order for `side` from the signal bar's close.
PendingOrder place_entry(Side side, double close, const strategy::Execution& ex);
PendingOrder place_exit(ExitReason reason, std::uint32_t latency);

/// Where an entry order fills on a candle: its reference price and fee role, or nothing when the
/// order type's condition does not hold (every comparison with NaN fails).
struct EntryFill {
  double price;
  FeeRole role;
};
std::optional<EntryFill> entry_fill(const PendingOrder& order, const Candle& c);

/// The slippage fraction of a fill of magnitude `qty` on candle `c`.
double slippage_fraction(const strategy::Slippage& model, double qty, const Candle& c);

/// min(o, p) and max(o, p) where a NaN open gives p.
inline double min_open(double o, double p) { return (o != o || p < o) ? p : o; }
inline double max_open(double o, double p) { return (o != o || p > o) ? p : o; }

}  // namespace sorvik::backtest

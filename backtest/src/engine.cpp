#include "sorvik_backtest/engine.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <variant>

#include "sorvik/factory.hpp"
#include "sorvik_backtest/sizing.hpp"

namespace sorvik::backtest {

namespace st = strategy;

std::expected<std::vector<DeclaredIndicator>, BacktestError> build_indicators(
    const st::StrategySpec& spec) {
  std::vector<DeclaredIndicator> out;
  out.reserve(spec.indicators.size());
  for (const auto& [id, decl] : spec.indicators) {
    auto built = create_indicator(decl.type, decl.params);
    if (!built) {
      const FactoryError& f = built.error();
      BacktestError e;
      e.kind = f.kind == FactoryError::Kind::UnknownIndicatorType
                   ? BacktestError::Kind::UnknownIndicatorType
                   : BacktestError::Kind::IndicatorParameters;
      e.name = f.name;
      e.message = f.message;
      return std::unexpected(std::move(e));
    }
    out.push_back({id, std::move(*built)});
  }
  return out;
}

std::expected<BacktestReport, BacktestError> run_backtest(const st::StrategySpec& spec,
                                                          std::span<const Candle> candles) {
  if (auto ok = st::validate(spec); !ok) return std::unexpected(ok.error());
  if (auto ok = st::check_runner_feeds(spec); !ok) return std::unexpected(ok.error());
  if (candles.empty()) return std::unexpected(BacktestError::invalid_input("no candles"));
  auto indicators = build_indicators(spec);
  if (!indicators) return std::unexpected(std::move(indicators.error()));
  BarLoop loop(spec, std::move(*indicators), candles.size());
  // The history holds every value the rules read for as many bars as their deepest look-back
  // (bounded by the candles). A strategy asking for more than fits is refused before the first bar.
  if (loop.history_values() > MAX_HISTORY_VALUES) {
    return std::unexpected(BacktestError::invalid_input(
        "a history of " + std::to_string(loop.history_capacity()) + " bars with " +
        std::to_string(loop.history_slots()) + " values each exceeds the limit of " +
        std::to_string(MAX_HISTORY_VALUES) + " values"));
  }
  for (const Candle& c : candles) loop.step(c);
  return loop.finish();
}

// ---------------------------------------------------------------------------------------------

BarLoop::BarLoop(const st::StrategySpec& spec, std::vector<DeclaredIndicator> indicators,
                 std::size_t candle_count)
    : spec_(spec) {
  // Rules first: their references decide the value slots.
  entry_ = program_.add(spec.entry, keys_);
  exit_ = program_.add(spec.exit, keys_);
  depth_ = std::max(st::history_depth(spec.entry), st::history_depth(spec.exit));
  if (spec.short_entry) {
    short_entry_ = program_.add(*spec.short_entry, keys_);
    depth_ = std::max(depth_, st::history_depth(*spec.short_entry));
  }
  if (spec.short_exit) {
    short_exit_ = program_.add(*spec.short_exit, keys_);
    depth_ = std::max(depth_, st::history_depth(*spec.short_exit));
  }
  if (const auto* v = std::get_if<st::sizing::VolTarget>(&spec.sizing)) {
    depth_ = std::max<std::uint64_t>(depth_, v->lookback);
  }

  warmup_ = 0;
  indicators_.reserve(indicators.size());
  for (DeclaredIndicator& d : indicators) {
    warmup_ = std::max(warmup_, d.indicator->warmup_period());
    Slotted s{std::move(d), st::KeyTable::NONE, false, {}};
    s.primary = keys_.find(s.decl.id);
    s.outputs_read = keys_.has_prefix(s.decl.id + ".");
    indicators_.push_back(std::move(s));
  }
  if (spec.warmup) warmup_ = *spec.warmup;

  // The history holds D + 1 snapshots, but never more than the candles can fill: a look-back
  // beyond the data only ever yields nothing.
  const std::size_t wanted =
      depth_ == std::numeric_limits<std::uint64_t>::max() ? depth_ : depth_ + 1;
  const std::size_t capacity = std::max<std::size_t>(1, std::min<std::uint64_t>(wanted, candle_count));
  history_ = st::History(capacity, keys_.size());

  equity_.reserve(candle_count);
  maker_ = spec.costs.maker_bps / 10000.0;
  taker_ = spec.costs.taker_bps / 10000.0;
}

std::uint32_t BarLoop::output_slot(Slotted& s, std::size_t j, std::string_view name) {
  if (j < s.outputs.size()) {
    const OutputSlot& o = s.outputs[j];
    if (o.name.data() == name.data() && o.name.size() == name.size()) return o.slot;
    if (o.name == name) return o.slot;
  }
  // First sight of this output at this position: build its key once.
  std::string key;
  key.reserve(s.decl.id.size() + 1 + name.size());
  key.append(s.decl.id).append(1, '.').append(name);
  const std::uint32_t slot = keys_.find(key);
  if (s.outputs.size() <= j) s.outputs.resize(j + 1, OutputSlot{{}, st::KeyTable::NONE});
  s.outputs[j] = OutputSlot{name, slot};
  return slot;
}

void BarLoop::step(const Candle& c) {
  // 1. The last bar, for the end-of-data close.
  last_time_ = c.time;
  last_close_ = c.close;

  // 2. A due pending order fills (the history does not hold this bar yet).
  if (pending_) {
    PendingOrder o = *pending_;
    pending_.reset();
    if (o.latency > 0) {
      --o.latency;
      pending_ = o;
    } else {
      fill_pending(o, c);
    }
  }

  // 3 and 4. Indicator values go straight into the new snapshot's row, in id order, the primary
  // value before the named outputs, so a later write to the same key replaces an earlier one.
  double* row = history_.push(c);
  BarContext bar;
  bar.candle = c;
  for (Slotted& s : indicators_) {
    std::optional<double> v = s.decl.indicator->update(bar);
    if (!v) continue;
    if (s.primary != st::KeyTable::NONE) row[s.primary] = *v;
    if (!s.outputs_read) continue;
    std::span<const NamedValue> outs = s.decl.indicator->extra_outputs();
    for (std::size_t j = 0; j < outs.size(); ++j) {
      const std::uint32_t slot = output_slot(s, j, outs[j].name);
      if (slot != st::KeyTable::NONE) row[slot] = outs[j].value;
    }
  }
  const std::size_t h = history_.size() - 1;

  // 5. Risk exits.
  if (account_.is_open()) {
    if (auto hit = risk_exit(account_, anchor_, c, spec_.risk)) {
      const double fee = (std::abs(account_.quantity) * hit->price) * taker_;
      close_position(account_, hit->price, fee, hit->reason, c.time);
      entry_index_.reset();
    }
  }

  // 6. Funding is never charged: a run built from candles has no derivatives tick.
  // 7. Equity, before any signal order of this bar.
  equity_.push_back({c.time, account_.cash + c.close * account_.quantity});

  // 8. Signals.
  if (bar_index_ >= warmup_) {
    st::SignalContext ctx;
    ctx.in_position = account_.is_open();
    if (entry_index_) ctx.bars_since_entry = static_cast<std::uint32_t>(bar_index_ - *entry_index_);
    const bool at_close = spec_.execution.fill_timing == st::FillTiming::Close;
    if (ctx.in_position) {
      const st::RuleProgram::Id rule =
          account_.quantity > 0.0 ? exit_ : short_exit_.value_or(exit_);
      if (program_.evaluate(rule, history_, h, ctx)) {
        if (at_close) {
          close_with_slippage(c.close, ExitReason::Signal, c);
        } else {
          pending_ = place_exit(ExitReason::Signal, spec_.execution.latency_bars);
        }
      }
    } else if (!pending_) {
      std::optional<Side> side;
      if (program_.evaluate(entry_, history_, h, ctx)) {
        side = Side::Long;
      } else if (short_entry_ && program_.evaluate(*short_entry_, history_, h, ctx)) {
        side = Side::Short;
      }
      if (side) {
        if (at_close) {
          open_position(*side, c.close, FeeRole::Taker, c);
        } else {
          pending_ = place_entry(*side, c.close, spec_.execution);
        }
      }
    }
  }

  ++bar_index_;
}

void BarLoop::fill_pending(const PendingOrder& o, const Candle& c) {
  if (o.kind == OrderKind::Exit) {
    close_with_slippage(c.open, o.reason, c);
    return;
  }
  std::optional<EntryFill> fill = entry_fill(o, c);
  if (!fill) {
    pending_ = o;  // waits, unchanged, for a later bar
    return;
  }
  // The order is consumed even when no position results.
  open_position(o.side, fill->price, fill->role, c);
}

void BarLoop::open_position(Side side, double price, FeeRole role, const Candle& c) {
  std::optional<double> vol;
  if (const auto* v = std::get_if<st::sizing::VolTarget>(&spec_.sizing)) {
    vol = volatility_estimate(history_, v->lookback);
  }
  const double d = direction(side);
  const double cash = account_.cash;
  double q_for_slippage = 0.0;
  if (std::holds_alternative<st::slippage::VolumeImpact>(spec_.costs.slippage)) {
    q_for_slippage = provisional_size(spec_, cash, price, vol);
  }
  const double s = slippage_fraction(spec_.costs.slippage, q_for_slippage, c);
  if (cash <= 0.0) return;
  const double fill = price * (s * d + 1.0);
  if (fill <= 0.0) return;
  std::optional<double> q = size_position(spec_, cash, fill, vol, c);
  // A size that does not clear the open-position threshold would leave the account looking flat
  // while holding a position; such an entry is declined like one that sizes to zero.
  if (!q || !(*q > EPSILON)) return;
  const double fee = (fill * *q) * (role == FeeRole::Maker ? maker_ : taker_);
  account_.cash = account_.cash - (fill * (d * *q) + fee);
  account_.quantity = d * *q;
  account_.entry_price = fill;
  account_.entry_time = c.time;
  account_.entry_fee = fee;
  account_.fees_paid = fee + account_.fees_paid;
  entry_index_ = bar_index_;
  anchor_ = fill;
}

void BarLoop::close_with_slippage(double price, ExitReason reason, const Candle& c) {
  if (!account_.is_open()) return;
  const double q = account_.quantity;
  const double size = std::abs(q);
  const double s = slippage_fraction(spec_.costs.slippage, size, c);
  const double exit = q > 0.0 ? price * (1.0 + (-s)) : price * (1.0 + s);
  const double fee = (size * exit) * taker_;
  close_position(account_, exit, fee, reason, c.time);
  entry_index_.reset();
}

BacktestReport BarLoop::finish() {
  pending_.reset();
  if (account_.is_open()) {
    const double fee = (std::abs(account_.quantity) * last_close_) * taker_;
    close_position(account_, last_close_, fee, ExitReason::End, last_time_);
    entry_index_.reset();
  }
  BacktestReport r;
  r.symbol = spec_.symbol;
  r.timeframe = spec_.timeframe;
  r.metrics = compute_metrics(equity_, account_.trades);
  r.trades = std::move(account_.trades);
  r.equity = std::move(equity_);
  r.fees_paid = account_.fees_paid;
  r.initial_capital = INITIAL_CAPITAL;
  return r;
}

}  // namespace sorvik::backtest

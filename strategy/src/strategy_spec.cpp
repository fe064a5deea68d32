// Reading the strategy document and its rules from JSON values.

#include <array>
#include <string_view>
#include <utility>

#include "sorvik_strategy/reader.hpp"

namespace sorvik::strategy {

using json::Field;
using json::Read;
using json::ReadError;
using json::Status;
using json::Value;

namespace {

template <class T>
std::unexpected<ReadError> fail(Read<T>& r) {
  return std::unexpected(std::move(r.error()));
}

// ---------------------------------------------------------------------------------------------
// Rules

constexpr std::string_view UNTAGGED_OPERAND = "data did not match any variant of untagged enum Operand";
constexpr std::string_view PAIR = "an array of length 2";
constexpr std::string_view TRIPLE = "an array of length 3";
constexpr std::string_view WITH_COUNT = "a tuple of size 2";

constexpr std::array<std::string_view, 7> PRICE_FIELDS = {"open",   "high", "low", "close",
                                                          "volume", "hlc3", "ohlc4"};
constexpr std::array<std::string_view, 6> OPERATORS = {"price", "prev", "add", "sub", "mul", "div"};
constexpr std::array<std::string_view, 16> CONDITIONS = {
    "gt",      "lt",      "ge",  "le",  "eq",  "ne",          "cross_above",     "cross_below",
    "between", "rising",  "falling", "all", "any", "not", "in_position", "bars_since_entry"};
constexpr std::array<std::string_view, 5> COUNT_TESTS = {"gt", "lt", "ge", "le", "eq"};

Read<std::uint32_t> read_u32_value(const Value& v) { return json::read_u32(v); }

/// Reads the operands of a fixed-length array argument.
Status read_operands(const Value& v, std::size_t n, std::string_view expecting,
                     std::vector<Operand>& out) {
  auto seq = json::SeqCursor::open(v, expecting);
  if (!seq) return std::unexpected(std::move(seq.error()));
  out.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    auto e = seq->next(expecting);
    if (!e) return std::unexpected(std::move(e.error()));
    auto o = parse_operand(**e);
    if (!o) return std::unexpected(std::move(o.error()));
    out.push_back(std::move(*o));
  }
  return seq->finish();
}

/// Reads [operand, u32].
Status read_operand_count(const Value& v, Operand& x, std::uint32_t& n) {
  auto seq = json::SeqCursor::open(v, WITH_COUNT);
  if (!seq) return std::unexpected(std::move(seq.error()));
  auto first = seq->next(WITH_COUNT);
  if (!first) return std::unexpected(std::move(first.error()));
  auto o = parse_operand(**first);
  if (!o) return std::unexpected(std::move(o.error()));
  x = std::move(*o);
  auto second = seq->next(WITH_COUNT);
  if (!second) return std::unexpected(std::move(second.error()));
  auto c = json::read_u32(**second);
  if (!c) return std::unexpected(std::move(c.error()));
  n = *c;
  return seq->finish();
}

/// The payload of an externally tagged value, or the error for a bare variant name.
Read<const Value*> payload_of(const json::ExternalVariant& ev, std::string_view expecting) {
  if (ev.payload == nullptr) {
    return std::unexpected(ReadError{"invalid type: unit variant, expected " + std::string(expecting)});
  }
  return ev.payload;
}

Read<CountTest> parse_count_test(const Value& v) {
  auto ev = json::read_external(v, COUNT_TESTS);
  if (!ev) return fail(ev);
  auto p = payload_of(*ev, "u32");
  if (!p) return fail(p);
  auto k = json::read_u32(**p);
  if (!k) return fail(k);
  return CountTest{static_cast<CountTest::Op>(ev->index), *k};
}

}  // namespace

Read<Operand> parse_operand(const Value& v) {
  if (v.is_string()) return Operand::ref(std::string(v.as_string()));
  if (v.is_number()) return Operand::num(v.number_as_f64());
  if (!v.is_object() || v.members().size() != 1) {
    return std::unexpected(ReadError{std::string(UNTAGGED_OPERAND)});
  }
  const json::Member& m = v.members()[0];
  std::size_t which = OPERATORS.size();
  for (std::size_t k = 0; k < OPERATORS.size(); ++k) {
    if (m.key() == OPERATORS[k]) which = k;
  }
  if (which == OPERATORS.size()) return std::unexpected(ReadError{std::string(UNTAGGED_OPERAND)});

  Operand o;
  switch (which) {
    case 0: {
      auto f = json::read_unit_variant(m.value(), PRICE_FIELDS);
      if (!f) return fail(f);
      o.kind = Operand::Kind::Price;
      o.price = static_cast<PriceField>(*f);
      return o;
    }
    case 1: {
      Operand x;
      std::uint32_t n = 0;
      if (auto ok = read_operand_count(m.value(), x, n); !ok) return std::unexpected(ok.error());
      return Operand::prev(std::move(x), n);
    }
    default: {
      static constexpr Operand::Kind KINDS[] = {Operand::Kind::Add, Operand::Kind::Sub,
                                                Operand::Kind::Mul, Operand::Kind::Div};
      o.kind = KINDS[which - 2];
      if (auto ok = read_operands(m.value(), 2, PAIR, o.args); !ok) {
        return std::unexpected(ok.error());
      }
      return o;
    }
  }
}

Read<Condition> parse_condition(const Value& v) {
  using K = Condition::Kind;
  auto ev = json::read_external(v, CONDITIONS);
  if (!ev) return fail(ev);
  Condition c;
  c.kind = static_cast<K>(ev->index);
  switch (c.kind) {
    case K::Gt: case K::Lt: case K::Ge: case K::Le: case K::Eq: case K::Ne:
    case K::CrossAbove: case K::CrossBelow: {
      auto p = payload_of(*ev, PAIR);
      if (!p) return fail(p);
      if (auto ok = read_operands(**p, 2, PAIR, c.operands); !ok) return std::unexpected(ok.error());
      return c;
    }
    case K::Between: {
      auto p = payload_of(*ev, TRIPLE);
      if (!p) return fail(p);
      if (auto ok = read_operands(**p, 3, TRIPLE, c.operands); !ok) {
        return std::unexpected(ok.error());
      }
      return c;
    }
    case K::Rising:
    case K::Falling: {
      auto p = payload_of(*ev, WITH_COUNT);
      if (!p) return fail(p);
      Operand x;
      if (auto ok = read_operand_count(**p, x, c.count); !ok) return std::unexpected(ok.error());
      c.operands.push_back(std::move(x));
      return c;
    }
    case K::All:
    case K::Any: {
      auto p = payload_of(*ev, "a sequence");
      if (!p) return fail(p);
      auto list = json::read_seq(**p, parse_condition);
      if (!list) return fail(list);
      c.conditions = std::move(*list);
      return c;
    }
    case K::Not: {
      auto p = payload_of(*ev, "enum Condition");
      if (!p) return fail(p);
      auto inner = parse_condition(**p);
      if (!inner) return fail(inner);
      c.conditions.push_back(std::move(*inner));
      return c;
    }
    case K::InPosition: {
      auto p = payload_of(*ev, "a boolean");
      if (!p) return fail(p);
      auto b = json::read_bool(**p);
      if (!b) return fail(b);
      c.flag = *b;
      return c;
    }
    case K::BarsSinceEntry: {
      auto p = payload_of(*ev, "enum CountTest");
      if (!p) return fail(p);
      auto t = parse_count_test(**p);
      if (!t) return fail(t);
      c.test = *t;
      return c;
    }
  }
  return c;
}

// ---------------------------------------------------------------------------------------------
// Records

namespace {

constexpr std::array<std::string_view, 6> FEED_NAMES = {"kline",       "trade",       "orderbook",
                                                        "trade_quote", "derivatives", "cross_section"};
constexpr std::array<std::string_view, 4> ORDER_TYPES = {"market", "limit", "stop", "stop_limit"};
constexpr std::array<std::string_view, 2> FILL_TIMINGS = {"next_open", "close"};

constexpr Field INDICATOR_FIELDS[] = {{"type"}, {"params", Field::kOptional}, {"feed", Field::kOptional}};
constexpr json::RecordShape INDICATOR{"struct IndicatorSpec", INDICATOR_FIELDS};

Read<std::optional<double>> optional_f64(const Value& v) {
  return json::read_optional(v, json::read_f64);
}

Read<FeedKind> read_feed(const Value& v) {
  auto k = json::read_unit_variant(v, FEED_NAMES);
  if (!k) return fail(k);
  return ALL_FEED_KINDS[*k];
}

Read<IndicatorSpec> read_indicator(const Value& v) {
  IndicatorSpec s;
  auto ok = json::read_record(v, INDICATOR, [&](std::size_t f, const Value& x) -> Status {
    switch (f) {
      case 0: return json::assign(s.type, json::read_string(x));
      case 1: return json::assign(s.params, json::read_seq(x, json::read_f64));
      case 2: return json::assign(s.feed, json::read_optional(x, read_feed));
    }
    return {};
  });
  if (!ok) return std::unexpected(std::move(ok.error()));
  return s;
}

constexpr Field ONE_FRACTION[] = {{"fraction"}};
constexpr Field ONE_QTY[] = {{"qty"}};
constexpr Field ONE_CASH[] = {{"cash"}};
constexpr Field VOL_FIELDS[] = {{"target_vol"}, {"lookback"}};
constexpr Field ONE_RISK[] = {{"risk_pct"}};
constexpr json::VariantShape SIZING_VARIANTS[] = {
    {"fixed_fraction", "struct variant Sizing::FixedFraction", ONE_FRACTION},
    {"fixed_qty", "struct variant Sizing::FixedQty", ONE_QTY},
    {"fixed_cash", "struct variant Sizing::FixedCash", ONE_CASH},
    {"vol_target", "struct variant Sizing::VolTarget", VOL_FIELDS},
    {"risk_per_trade", "struct variant Sizing::RiskPerTrade", ONE_RISK},
};
constexpr json::TaggedShape SIZING{"internally tagged enum Sizing", "type", SIZING_VARIANTS};

Read<Sizing> read_sizing(const Value& v) {
  double value = 0.0;
  std::uint32_t lookback = 0;
  auto which = json::read_tagged(v, SIZING, [&](std::size_t, std::size_t f, const Value& x) -> Status {
    if (f == 0) return json::assign(value, json::read_f64(x));
    return json::assign(lookback, json::read_u32(x));
  });
  if (!which) return fail(which);
  switch (*which) {
    case 0: return Sizing{sizing::FixedFraction{value}};
    case 1: return Sizing{sizing::FixedQty{value}};
    case 2: return Sizing{sizing::FixedCash{value}};
    case 3: return Sizing{sizing::VolTarget{value, lookback}};
    default: return Sizing{sizing::RiskPerTrade{value}};
  }
}

constexpr Field ONE_BPS[] = {{"bps"}};
constexpr Field ONE_COEF[] = {{"coef"}};
constexpr json::VariantShape SLIPPAGE_VARIANTS[] = {
    {"fixed_bps", "struct variant Slippage::FixedBps", ONE_BPS},
    {"spread", "unit variant Slippage::Spread", {}},
    {"volume_impact", "struct variant Slippage::VolumeImpact", ONE_COEF},
};
constexpr json::TaggedShape SLIPPAGE{"internally tagged enum Slippage", "type", SLIPPAGE_VARIANTS};

Read<Slippage> read_slippage(const Value& v) {
  double value = 0.0;
  auto which = json::read_tagged(v, SLIPPAGE, [&](std::size_t, std::size_t, const Value& x) -> Status {
    return json::assign(value, json::read_f64(x));
  });
  if (!which) return fail(which);
  switch (*which) {
    case 0: return Slippage{slippage::FixedBps{value}};
    case 1: return Slippage{slippage::Spread{}};
    default: return Slippage{slippage::VolumeImpact{value}};
  }
}

constexpr Field COSTS_FIELDS[] = {{"maker_bps", Field::kOptional},
                                  {"taker_bps", Field::kOptional},
                                  {"slippage", Field::kOptional},
                                  {"funding", Field::kOptional}};
constexpr json::RecordShape COSTS{"struct Costs", COSTS_FIELDS};

Read<Costs> read_costs(const Value& v) {
  Costs c;
  auto ok = json::read_record(v, COSTS, [&](std::size_t f, const Value& x) -> Status {
    switch (f) {
      case 0: return json::assign(c.maker_bps, json::read_f64(x));
      case 1: return json::assign(c.taker_bps, json::read_f64(x));
      case 2: return json::assign(c.slippage, read_slippage(x));
      case 3: return json::assign(c.funding, json::read_bool(x));
    }
    return {};
  });
  if (!ok) return std::unexpected(std::move(ok.error()));
  return c;
}

constexpr Field RISK_FIELDS[] = {{"stop_loss_pct", Field::kOptional},
                                 {"take_profit_pct", Field::kOptional},
                                 {"trailing_stop_pct", Field::kOptional},
                                 {"max_leverage", Field::kOptional},
                                 {"max_position_pct", Field::kOptional},
                                 {"liquidation", Field::kOptional}};
constexpr json::RecordShape RISK{"struct Risk", RISK_FIELDS};

Read<Risk> read_risk(const Value& v) {
  Risk r;
  auto ok = json::read_record(v, RISK, [&](std::size_t f, const Value& x) -> Status {
    switch (f) {
      case 0: return json::assign(r.stop_loss_pct, optional_f64(x));
      case 1: return json::assign(r.take_profit_pct, optional_f64(x));
      case 2: return json::assign(r.trailing_stop_pct, optional_f64(x));
      case 3: return json::assign(r.max_leverage, optional_f64(x));
      case 4: return json::assign(r.max_position_pct, optional_f64(x));
      case 5: return json::assign(r.liquidation, json::read_bool(x));
    }
    return {};
  });
  if (!ok) return std::unexpected(std::move(ok.error()));
  return r;
}

constexpr Field EXECUTION_FIELDS[] = {{"order_type", Field::kOptional},
                                      {"fill_timing", Field::kOptional},
                                      {"limit_offset_pct", Field::kOptional},
                                      {"stop_offset_pct", Field::kOptional},
                                      {"latency_bars", Field::kOptional},
                                      {"partial_fills", Field::kOptional},
                                      {"max_participation", Field::kOptional}};
constexpr json::RecordShape EXECUTION{"struct Execution", EXECUTION_FIELDS};

Read<Execution> read_execution(const Value& v) {
  Execution e;
  auto ok = json::read_record(v, EXECUTION, [&](std::size_t f, const Value& x) -> Status {
    switch (f) {
      case 0: {
        auto k = json::read_unit_variant(x, ORDER_TYPES);
        if (!k) return std::unexpected(std::move(k.error()));
        e.order_type = static_cast<OrderType>(*k);
        return {};
      }
      case 1: {
        auto k = json::read_unit_variant(x, FILL_TIMINGS);
        if (!k) return std::unexpected(std::move(k.error()));
        e.fill_timing = static_cast<FillTiming>(*k);
        return {};
      }
      case 2: return json::assign(e.limit_offset_pct, optional_f64(x));
      case 3: return json::assign(e.stop_offset_pct, optional_f64(x));
      case 4: return json::assign(e.latency_bars, json::read_u32(x));
      case 5: return json::assign(e.partial_fills, json::read_bool(x));
      case 6: return json::assign(e.max_participation, optional_f64(x));
    }
    return {};
  });
  if (!ok) return std::unexpected(std::move(ok.error()));
  return e;
}

constexpr Field SPEC_FIELDS[] = {
    {"spec_version", Field::kOptional}, {"symbol"},   {"ref_symbol", Field::kOptional},
    {"timeframe"},                      {"indicators"}, {"entry"},
    {"exit"},                           {"short_entry", Field::kOptional},
    {"short_exit", Field::kOptional},   {"sizing"},   {"costs", Field::kOptional},
    {"risk", Field::kOptional},         {"execution", Field::kOptional},
    {"warmup", Field::kOptional}};
constexpr json::RecordShape SPEC{"struct StrategySpec", SPEC_FIELDS};

}  // namespace

Read<StrategySpec> parse_strategy(const Value& v) {
  StrategySpec s;
  auto ok = json::read_record(v, SPEC, [&](std::size_t f, const Value& x) -> Status {
    switch (f) {
      case 0: return json::assign(s.spec_version, json::read_u32(x));
      case 1: return json::assign(s.symbol, json::read_string(x));
      case 2: return json::assign(s.ref_symbol, json::read_optional(x, json::read_string));
      case 3: return json::assign(s.timeframe, json::read_string(x));
      case 4: return json::assign(s.indicators, json::read_map(x, read_indicator));
      case 5: return json::assign(s.entry, parse_condition(x));
      case 6: return json::assign(s.exit, parse_condition(x));
      case 7: return json::assign(s.short_entry, json::read_optional(x, parse_condition));
      case 8: return json::assign(s.short_exit, json::read_optional(x, parse_condition));
      case 9: return json::assign(s.sizing, read_sizing(x));
      case 10: return json::assign(s.costs, read_costs(x));
      case 11: return json::assign(s.risk, read_risk(x));
      case 12: return json::assign(s.execution, read_execution(x));
      case 13: return json::assign(s.warmup, json::read_optional(x, read_u32_value));
    }
    return {};
  });
  if (!ok) return std::unexpected(std::move(ok.error()));
  return s;
}

}  // namespace sorvik::strategy

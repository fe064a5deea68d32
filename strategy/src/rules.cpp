#include "sorvik_strategy/rules.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sorvik::strategy {

namespace {

constexpr double NOTHING = std::numeric_limits<double>::quiet_NaN();

std::uint64_t saturating_add(std::uint64_t a, std::uint64_t b) {
  std::uint64_t s = a + b;
  return s < a ? std::numeric_limits<std::uint64_t>::max() : s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction helpers

Operand Operand::ref(std::string r) {
  Operand o;
  o.kind = Kind::Reference;
  o.reference = std::move(r);
  return o;
}

Operand Operand::num(double v) {
  Operand o;
  o.kind = Kind::Number;
  o.number = v;
  return o;
}

Operand Operand::field(PriceField f) {
  Operand o;
  o.kind = Kind::Price;
  o.price = f;
  return o;
}

Operand Operand::prev(Operand x, std::uint32_t n) {
  Operand o;
  o.kind = Kind::Prev;
  o.count = n;
  o.args.push_back(std::move(x));
  return o;
}

Operand Operand::binary(Kind k, Operand a, Operand b) {
  Operand o;
  o.kind = k;
  o.args.reserve(2);
  o.args.push_back(std::move(a));
  o.args.push_back(std::move(b));
  return o;
}

bool CountTest::passes(std::uint32_t n) const {
  switch (op) {
    case Op::Gt: return n > k;
    case Op::Lt: return n < k;
    case Op::Ge: return n >= k;
    case Op::Le: return n <= k;
    case Op::Eq: return n == k;
  }
  return false;
}

Condition Condition::compare(Kind k, Operand a, Operand b) {
  Condition c;
  c.kind = k;
  c.operands.reserve(2);
  c.operands.push_back(std::move(a));
  c.operands.push_back(std::move(b));
  return c;
}

Condition Condition::between(Operand x, Operand lo, Operand hi) {
  Condition c;
  c.kind = Kind::Between;
  c.operands.reserve(3);
  c.operands.push_back(std::move(x));
  c.operands.push_back(std::move(lo));
  c.operands.push_back(std::move(hi));
  return c;
}

Condition Condition::trend(Kind k, Operand x, std::uint32_t n) {
  Condition c;
  c.kind = k;
  c.count = n;
  c.operands.push_back(std::move(x));
  return c;
}

Condition Condition::list(Kind k, std::vector<Condition> cs) {
  Condition c;
  c.kind = k;
  c.conditions = std::move(cs);
  return c;
}

Condition Condition::negate(Condition inner) {
  Condition c;
  c.kind = Kind::Not;
  c.conditions.push_back(std::move(inner));
  return c;
}

Condition Condition::in_position(bool flag) {
  Condition c;
  c.kind = Kind::InPosition;
  c.flag = flag;
  return c;
}

Condition Condition::bars_since_entry(CountTest t) {
  Condition c;
  c.kind = Kind::BarsSinceEntry;
  c.test = t;
  return c;
}

// ---------------------------------------------------------------------------------------------
// References and depth

namespace {

const std::string* first_undeclared(const Operand& o,
                                    const std::set<std::string, std::less<>>& declared) {
  if (o.kind == Operand::Kind::Reference) {
    std::string_view r = o.reference;
    std::string_view id = r.substr(0, r.find('.'));
    return declared.contains(id) ? nullptr : &o.reference;
  }
  for (const Operand& a : o.args) {
    if (const std::string* hit = first_undeclared(a, declared)) return hit;
  }
  return nullptr;
}

const std::string* first_undeclared(const Condition& c,
                                    const std::set<std::string, std::less<>>& declared) {
  for (const Operand& o : c.operands) {
    if (const std::string* hit = first_undeclared(o, declared)) return hit;
  }
  for (const Condition& inner : c.conditions) {
    if (const std::string* hit = first_undeclared(inner, declared)) return hit;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> check_references(const Condition& c,
                                            const std::set<std::string, std::less<>>& declared) {
  if (const std::string* hit = first_undeclared(c, declared)) return *hit;
  return std::nullopt;
}

std::uint64_t history_depth(const Operand& o) {
  switch (o.kind) {
    case Operand::Kind::Reference:
    case Operand::Kind::Number:
    case Operand::Kind::Price:
      return 0;
    case Operand::Kind::Prev:
      return saturating_add(o.count, history_depth(o.args[0]));
    case Operand::Kind::Add:
    case Operand::Kind::Sub:
    case Operand::Kind::Mul:
    case Operand::Kind::Div:
      return std::max(history_depth(o.args[0]), history_depth(o.args[1]));
  }
  return 0;
}

std::uint64_t history_depth(const Condition& c) {
  using K = Condition::Kind;
  std::uint64_t d = 0;
  switch (c.kind) {
    case K::Gt: case K::Lt: case K::Ge: case K::Le: case K::Eq: case K::Ne: case K::Between:
      for (const Operand& o : c.operands) d = std::max(d, history_depth(o));
      return d;
    case K::CrossAbove:
    case K::CrossBelow:
      return saturating_add(std::max(history_depth(c.operands[0]), history_depth(c.operands[1])),
                            1);
    case K::Rising:
    case K::Falling:
      return saturating_add(history_depth(c.operands[0]), c.count);
    case K::All:
    case K::Any:
    case K::Not:
      for (const Condition& inner : c.conditions) d = std::max(d, history_depth(inner));
      return d;
    case K::InPosition:
    case K::BarsSinceEntry:
      return 0;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Key table and history

std::uint32_t KeyTable::intern(std::string_view key) {
  auto it = slots_.find(key);
  if (it != slots_.end()) return it->second;
  auto slot = static_cast<std::uint32_t>(slots_.size());
  slots_.emplace(std::string(key), slot);
  return slot;
}

std::uint32_t KeyTable::find(std::string_view key) const {
  auto it = slots_.find(key);
  return it == slots_.end() ? NONE : it->second;
}

bool KeyTable::has_prefix(std::string_view prefix) const {
  auto it = slots_.lower_bound(prefix);
  return it != slots_.end() && std::string_view(it->first).starts_with(prefix);
}

History::History(std::size_t capacity, std::size_t slots)
    : capacity_(std::max<std::size_t>(capacity, 1)), slots_(slots) {
  // Storage grows as bars arrive, so a deep look-back costs memory only for bars actually seen.
  const std::size_t initial = std::min<std::size_t>(capacity_, 1024);
  candles_.reserve(initial);
  values_.reserve(initial * slots_);
}

double* History::push(const Candle& c) {
  double* row;
  if (size_ < capacity_) {
    candles_.push_back(c);
    values_.resize(values_.size() + slots_);
    row = values_.data() + size_ * slots_;
    ++size_;
  } else {
    const std::size_t p = head_;
    head_ = head_ + 1 == capacity_ ? 0 : head_ + 1;
    candles_[p] = c;
    row = values_.data() + p * slots_;
  }
  std::fill(row, row + slots_, NOTHING);
  return row;
}

// ---------------------------------------------------------------------------------------------
// Compilation

template <class Resolve>
RuleProgram::Id RuleProgram::compile_operand(const Operand& o, Resolve& resolve) {
  OpNode n{o.kind, o.price, o.count, KeyTable::NONE, 0, 0, o.number};
  switch (o.kind) {
    case Operand::Kind::Reference:
      n.slot = resolve(o.reference);
      break;
    case Operand::Kind::Number:
    case Operand::Kind::Price:
      break;
    case Operand::Kind::Prev:
      n.a = compile_operand(o.args[0], resolve);
      break;
    case Operand::Kind::Add:
    case Operand::Kind::Sub:
    case Operand::Kind::Mul:
    case Operand::Kind::Div:
      n.a = compile_operand(o.args[0], resolve);
      n.b = compile_operand(o.args[1], resolve);
      break;
  }
  ops_.push_back(n);
  return static_cast<Id>(ops_.size() - 1);
}

template <class Resolve>
RuleProgram::Id RuleProgram::compile_condition(const Condition& c, Resolve& resolve) {
  std::vector<Id> kids;
  if (!c.operands.empty()) {
    for (const Operand& o : c.operands) kids.push_back(compile_operand(o, resolve));
  } else {
    for (const Condition& inner : c.conditions) kids.push_back(compile_condition(inner, resolve));
  }
  CondNode n{c.kind, c.flag, c.test, c.count, static_cast<Id>(children_.size()),
             static_cast<Id>(kids.size())};
  children_.insert(children_.end(), kids.begin(), kids.end());
  conds_.push_back(n);
  return static_cast<Id>(conds_.size() - 1);
}

RuleProgram::Id RuleProgram::add(const Condition& c, KeyTable& keys) {
  auto resolve = [&keys](const std::string& r) { return keys.intern(r); };
  return compile_condition(c, resolve);
}

RuleProgram::Id RuleProgram::add_resolved(const Condition& c, const KeyTable& keys) {
  auto resolve = [&keys](const std::string& r) { return keys.find(r); };
  return compile_condition(c, resolve);
}

RuleProgram::Id RuleProgram::add_operand(const Operand& o, const KeyTable& keys) {
  auto resolve = [&keys](const std::string& r) { return keys.find(r); };
  return compile_operand(o, resolve);
}

// ---------------------------------------------------------------------------------------------
// Evaluation

double RuleProgram::op(Id id, const History& h, std::size_t i) const {
  const OpNode& n = ops_[id];
  if (i >= h.size()) return NOTHING;
  switch (n.kind) {
    case Operand::Kind::Number:
      return n.number;
    case Operand::Kind::Reference:
      return n.slot == KeyTable::NONE ? NOTHING : h.value(i, n.slot);
    case Operand::Kind::Price: {
      const Candle& c = h.candle(i);
      switch (n.price) {
        case PriceField::Open: return c.open;
        case PriceField::High: return c.high;
        case PriceField::Low: return c.low;
        case PriceField::Close: return c.close;
        case PriceField::Volume: return c.volume;
        case PriceField::Hlc3: return (c.high + c.low + c.close) / 3.0;
        case PriceField::Ohlc4: return (c.open + c.high + c.low + c.close) * 0.25;
      }
      return NOTHING;
    }
    case Operand::Kind::Prev:
      if (i < n.count) return NOTHING;
      return op(n.a, h, i - n.count);
    case Operand::Kind::Add:
      return op(n.a, h, i) + op(n.b, h, i);
    case Operand::Kind::Sub:
      return op(n.a, h, i) - op(n.b, h, i);
    case Operand::Kind::Mul:
      return op(n.a, h, i) * op(n.b, h, i);
    case Operand::Kind::Div: {
      double a = op(n.a, h, i);
      double b = op(n.b, h, i);
      if (std::isnan(a) || std::isnan(b)) return NOTHING;
      if (std::abs(b) < EPSILON) return NOTHING;
      return a / b;
    }
  }
  return NOTHING;
}

bool RuleProgram::cond(Id id, const History& h, std::size_t i, const SignalContext& ctx) const {
  using K = Condition::Kind;
  // A chain of `not` inverts the innermost result once per link, missing values included.
  bool invert = false;
  while (conds_[id].kind == K::Not) {
    invert = !invert;
    id = children_[conds_[id].first];
  }
  const CondNode& n = conds_[id];
  const Id* kid = children_.data() + n.first;
  bool r = false;
  switch (n.kind) {
    case K::Gt: r = op(kid[0], h, i) > op(kid[1], h, i); break;
    case K::Lt: r = op(kid[0], h, i) < op(kid[1], h, i); break;
    case K::Ge: r = op(kid[0], h, i) >= op(kid[1], h, i); break;
    case K::Le: r = op(kid[0], h, i) <= op(kid[1], h, i); break;
    case K::Eq: r = std::abs(op(kid[0], h, i) - op(kid[1], h, i)) < EPSILON; break;
    case K::Ne: r = std::abs(op(kid[0], h, i) - op(kid[1], h, i)) >= EPSILON; break;
    case K::CrossAbove:
    case K::CrossBelow: {
      if (i == 0) break;
      double a1 = op(kid[0], h, i - 1);
      double b1 = op(kid[1], h, i - 1);
      double a0 = op(kid[0], h, i);
      double b0 = op(kid[1], h, i);
      r = n.kind == K::CrossAbove ? (a1 <= b1 && a0 > b0) : (a1 >= b1 && a0 < b0);
      break;
    }
    case K::Between: {
      double x = op(kid[0], h, i);
      double lo = op(kid[1], h, i);
      double hi = op(kid[2], h, i);
      r = lo <= x && x <= hi;
      break;
    }
    case K::Rising:
    case K::Falling: {
      if (i < n.count) break;
      double now = op(kid[0], h, i);
      double then = op(kid[0], h, i - n.count);
      r = n.kind == K::Rising ? now > then : now < then;
      break;
    }
    case K::All:
      r = true;
      for (Id k = 0; k < n.size; ++k) {
        if (!cond(kid[k], h, i, ctx)) {
          r = false;
          break;
        }
      }
      break;
    case K::Any:
      for (Id k = 0; k < n.size; ++k) {
        if (cond(kid[k], h, i, ctx)) {
          r = true;
          break;
        }
      }
      break;
    case K::InPosition:
      r = ctx.in_position == n.flag;
      break;
    case K::BarsSinceEntry:
      r = ctx.bars_since_entry.has_value() && n.test.passes(*ctx.bars_since_entry);
      break;
    case K::Not:
      break;  // stripped above
  }
  return r != invert;
}

bool RuleProgram::evaluate(Id rule, const History& h, std::size_t index,
                           const SignalContext& ctx) const {
  return cond(rule, h, index, ctx);
}

double RuleProgram::operand_value(Id o, const History& h, std::size_t index) const {
  return op(o, h, index);
}

std::optional<double> evaluate_operand(const Operand& operand, const History& history,
                                       std::size_t index, const KeyTable& keys) {
  RuleProgram p;
  double v = p.operand_value(p.add_operand(operand, keys), history, index);
  if (std::isnan(v)) return std::nullopt;
  return v;
}

bool evaluate_condition(const Condition& condition, const History& history, std::size_t index,
                        const SignalContext& ctx, const KeyTable& keys) {
  RuleProgram p;
  return p.evaluate(p.add_resolved(condition, keys), history, index, ctx);
}

}  // namespace sorvik::strategy

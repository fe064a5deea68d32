#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "sorvik_strategy/rules.hpp"

namespace {

using namespace sorvik::strategy;
using K = Condition::Kind;
using OK = Operand::Kind;

Operand R(const char* r) { return Operand::ref(r); }
Operand N(double v) { return Operand::num(v); }
Operand P(PriceField f) { return Operand::field(f); }
Operand Prev(Operand x, std::uint32_t n) { return Operand::prev(std::move(x), n); }
Condition Cmp(K k, Operand a, Operand b) { return Condition::compare(k, std::move(a), std::move(b)); }

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// ---------------------------------------------------------------------------------------------
// history_depth

struct DepthCase {
  const char* name;
  Condition rule;
  std::uint64_t depth;
};

TEST(HistoryDepth, Table) {
  const std::uint32_t big = 4294967295u;
  std::vector<DepthCase> cases = {
      {"comparison of plain operands", Cmp(K::Gt, R("a"), N(1)), 0},
      {"cross_above over prev 2 and a number", Cmp(K::CrossAbove, Prev(R("x"), 2), N(1)), 3},
      {"cross_below adds one to the deeper side",
       Cmp(K::CrossBelow, R("a"), Prev(Prev(R("b"), 1), 4)), 6},
      {"rising adds its count", Condition::trend(K::Rising, Prev(R("x"), 1), 3), 4},
      {"between takes the deepest of three",
       Condition::between(R("x"), Prev(R("lo"), 7), Prev(R("hi"), 2)), 7},
      {"arithmetic takes the deeper side",
       Cmp(K::Le, Operand::binary(OK::Add, Prev(R("x"), 2), Prev(Prev(R("y"), 1), 5)), N(0)), 6},
      {"empty all", Condition::list(K::All, {}), 0},
      {"any of several",
       Condition::list(K::Any, {Cmp(K::Gt, Prev(R("a"), 2), N(0)),
                                Condition::trend(K::Falling, R("b"), 9)}),
       9},
      {"not passes through", Condition::negate(Cmp(K::CrossAbove, R("a"), R("b"))), 1},
      {"position tests read no history",
       Condition::list(K::All, {Condition::in_position(true),
                                Condition::bars_since_entry({CountTest::Op::Gt, 100})}),
       0},
      {"nested maximal counts are summed without wrapping",
       Cmp(K::Gt, Prev(Prev(R("a"), big), big), N(0)), 8589934590ull},
  };
  for (const DepthCase& c : cases) EXPECT_EQ(history_depth(c.rule), c.depth) << c.name;
}

// ---------------------------------------------------------------------------------------------
// check_references

TEST(CheckReferences, FirstUndeclaredDepthFirstLeftToRight) {
  std::set<std::string, std::less<>> declared = {"sma", "bb"};
  struct Case {
    const char* name;
    Condition rule;
    std::optional<std::string> bad;
  };
  std::vector<Case> cases = {
      {"declared id", Cmp(K::Gt, R("sma"), N(1)), std::nullopt},
      {"declared id with any output name", Cmp(K::Gt, R("bb.whatever"), N(1)), std::nullopt},
      {"undeclared with output, whole text reported", Cmp(K::Gt, R("sma"), R("rsi.value")),
       "rsi.value"},
      {"first full stop splits", Cmp(K::Gt, R("bb.x.y"), R("sm.a")), "sm.a"},
      {"left before right inside arithmetic",
       Cmp(K::Gt, Operand::binary(OK::Div, R("q1"), R("q2")), R("q3")), "q1"},
      {"through prev", Condition::trend(K::Rising, Prev(R("zz"), 2), 1), "zz"},
      {"list order then nesting",
       Condition::list(K::All, {Condition::in_position(false),
                                Condition::negate(Condition::between(R("sma"), R("lo"), R("hi"))),
                                Cmp(K::Gt, R("first"), N(0))}),
       "lo"},
      {"a price field name is still a reference", Cmp(K::Gt, R("close"), P(PriceField::Close)),
       "close"},
      {"prefix of a declared id is not declared", Cmp(K::Gt, R("sm"), N(0)), "sm"},
  };
  for (const Case& c : cases) EXPECT_EQ(check_references(c.rule, declared), c.bad) << c.name;
}

// ---------------------------------------------------------------------------------------------
// History ring

TEST(History, KeepsTheMostRecentSnapshotsOldestFirst) {
  History h(3, 1);
  for (int k = 0; k < 5; ++k) {
    sorvik::Candle c;
    c.time = k;
    double* row = h.push(c);
    EXPECT_TRUE(std::isnan(row[0])) << "a reused row starts empty";
    row[0] = k * 10.0;
  }
  ASSERT_EQ(h.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(h.candle(i).time, static_cast<std::int64_t>(i + 2));
    EXPECT_EQ(h.value(i, 0), (i + 2) * 10.0);
  }
}

// ---------------------------------------------------------------------------------------------
// Evaluation

// Four bars: closes 10, 12, 11, 15; "a" = 1, 3, 2, 5; "b" = 2, 2, 2, 2 except on bar 1 where it
// is missing; "m" has primary 7 and output "m.up" only on the last bar.
class Eval : public ::testing::Test {
 protected:
  void SetUp() override {
    a = keys.intern("a");
    b = keys.intern("b");
    m = keys.intern("m");
    mu = keys.intern("m.up");
    zero = keys.intern("zero");
    h = History(8, keys.size());
    const double closes[] = {10, 12, 11, 15};
    const double as[] = {1, 3, 2, 5};
    for (int k = 0; k < 4; ++k) {
      sorvik::Candle c{k, closes[k] - 1, closes[k] + 2, closes[k] - 3, closes[k], 100.0 + k};
      double* row = h.push(c);
      row[a] = as[k];
      if (k != 1) row[b] = 2.0;
      row[zero] = 0.0;
      if (k == 3) {
        row[m] = 7.0;
        row[mu] = 9.0;
      }
    }
  }
  bool eval(const Condition& c, std::size_t i = 3, SignalContext ctx = {}) {
    return evaluate_condition(c, h, i, ctx, keys);
  }
  std::optional<double> op(const Operand& o, std::size_t i = 3) {
    return evaluate_operand(o, h, i, keys);
  }
  KeyTable keys;
  std::uint32_t a, b, m, mu, zero;
  History h;
};

TEST_F(Eval, Operands) {
  struct Case {
    const char* name;
    Operand o;
    std::size_t index;
    std::optional<double> want;
  };
  std::vector<Case> cases = {
      {"number", N(2.5), 3, 2.5},
      {"reference", R("a"), 2, 2.0},
      {"missing key on its bar", R("b"), 1, std::nullopt},
      {"output key", R("m.up"), 3, 9.0},
      {"unknown key", R("m.down"), 3, std::nullopt},
      {"index past the end", N(1), 4, std::nullopt},
      {"open", P(PriceField::Open), 3, 14.0},
      {"high", P(PriceField::High), 3, 17.0},
      {"low", P(PriceField::Low), 3, 12.0},
      {"close", P(PriceField::Close), 3, 15.0},
      {"volume", P(PriceField::Volume), 3, 103.0},
      {"hlc3 added then divided", P(PriceField::Hlc3), 3, (17.0 + 12.0 + 15.0) / 3.0},
      {"ohlc4 added then quartered", P(PriceField::Ohlc4), 3, (14.0 + 17.0 + 12.0 + 15.0) * 0.25},
      {"prev 0 is the value itself", Prev(R("a"), 0), 3, 5.0},
      {"prev 2", Prev(R("a"), 2), 3, 3.0},
      {"prev beyond the bars held", Prev(R("a"), 4), 3, std::nullopt},
      {"prev of prev", Prev(Prev(P(PriceField::Close), 1), 2), 3, 10.0},
      {"add", Operand::binary(OK::Add, R("a"), N(0.5)), 3, 5.5},
      {"sub", Operand::binary(OK::Sub, R("a"), R("b")), 3, 3.0},
      {"mul", Operand::binary(OK::Mul, R("a"), R("b")), 3, 10.0},
      {"div", Operand::binary(OK::Div, R("a"), R("b")), 3, 2.5},
      {"arithmetic with a missing side", Operand::binary(OK::Add, R("b"), N(1)), 1, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(op(c.o, c.index), c.want) << c.name;
}

TEST_F(Eval, Conditions) {
  const Operand div0 = Operand::binary(OK::Div, R("a"), R("zero"));
  const Operand close = P(PriceField::Close);
  struct Case {
    const char* name;
    Condition c;
    std::size_t index;
    bool want;
  };
  std::vector<Case> cases = {
      {"gt", Cmp(K::Gt, R("a"), R("b")), 3, true},
      {"lt", Cmp(K::Lt, R("a"), R("b")), 0, true},
      {"ge equal", Cmp(K::Ge, R("a"), N(5)), 3, true},
      {"le", Cmp(K::Le, R("a"), N(4.999)), 3, false},
      {"eq within epsilon", Cmp(K::Eq, Operand::binary(OK::Add, N(0.1), N(0.2)), N(0.3)), 3, true},
      {"eq beyond epsilon", Cmp(K::Eq, N(1.0), N(1.0 + 4.5e-16)), 3, false},
      {"ne at epsilon", Cmp(K::Ne, N(1.0), N(1.0 + EPSILON)), 3, true},
      {"eq exact", Cmp(K::Eq, R("b"), N(2)), 3, true},
      {"ne", Cmp(K::Ne, R("a"), R("b")), 3, true},
      {"comparison with a missing operand", Cmp(K::Lt, R("b"), N(100)), 1, false},
      {"not over a missing operand is true", Condition::negate(Cmp(K::Lt, R("b"), N(100))), 1,
       true},
      {"not not over a missing operand is false",
       Condition::negate(Condition::negate(Cmp(K::Lt, R("b"), N(100)))), 1, false},
      {"div by zero: gt false", Cmp(K::Gt, div0, N(0)), 3, false},
      {"div by zero: lt false", Cmp(K::Lt, div0, N(0)), 3, false},
      {"div by zero: eq false", Cmp(K::Eq, div0, div0), 3, false},
      {"div by zero: ne false", Cmp(K::Ne, div0, N(0)), 3, false},
      {"div by zero: not ne true", Condition::negate(Cmp(K::Ne, div0, N(0))), 3, true},
      {"cross_above", Cmp(K::CrossAbove, R("a"), N(4)), 3, true},
      {"cross_above needs a previous bar", Cmp(K::CrossAbove, R("a"), N(0)), 0, false},
      {"cross_above from exactly equal", Cmp(K::CrossAbove, R("a"), N(2)), 3, true},
      {"cross_above with a missing previous side", Cmp(K::CrossAbove, R("a"), R("b")), 2, false},
      {"cross_below", Cmp(K::CrossBelow, close, N(11.5)), 2, true},
      {"between inclusive", Condition::between(R("a"), N(5), N(5)), 3, true},
      {"between with lo above hi", Condition::between(R("a"), N(6), N(4)), 3, false},
      {"rising 3 on the fourth bar", Condition::trend(K::Rising, close, 3), 3, true},
      {"rising 3 on the third bar", Condition::trend(K::Rising, close, 3), 2, false},
      {"rising 0 is false", Condition::trend(K::Rising, close, 0), 3, false},
      {"falling 0 is false", Condition::trend(K::Falling, close, 0), 3, false},
      {"falling 1", Condition::trend(K::Falling, close, 1), 2, true},
      {"rising over a missing then", Condition::trend(K::Rising, R("b"), 2), 3, false},
      {"all empty", Condition::list(K::All, {}), 3, true},
      {"any empty", Condition::list(K::Any, {}), 3, false},
      {"not any empty", Condition::negate(Condition::list(K::Any, {})), 3, true},
      {"all mixed", Condition::list(K::All, {Cmp(K::Gt, R("a"), N(0)), Cmp(K::Gt, R("a"), N(9))}),
       3, false},
      {"any mixed", Condition::list(K::Any, {Cmp(K::Gt, R("a"), N(9)), Cmp(K::Gt, R("a"), N(0))}),
       3, true},
      {"multi-output primary", Cmp(K::Eq, R("m"), N(7)), 3, true},
      {"the string close is a reference", Cmp(K::Gt, R("close"), N(0)), 3, false},
  };
  for (const Case& c : cases) EXPECT_EQ(eval(c.c, c.index), c.want) << c.name;
}

TEST_F(Eval, PositionTests) {
  SignalContext flat;
  SignalContext open0{true, 0u};
  SignalContext open5{true, 5u};
  auto since = [](CountTest::Op op, std::uint32_t k) { return Condition::bars_since_entry({op, k}); };
  EXPECT_TRUE(eval(Condition::in_position(false), 3, flat));
  EXPECT_FALSE(eval(Condition::in_position(true), 3, flat));
  EXPECT_TRUE(eval(Condition::in_position(true), 3, open0));
  EXPECT_FALSE(eval(since(CountTest::Op::Eq, 0), 3, flat)) << "no count while flat";
  EXPECT_TRUE(eval(Condition::negate(since(CountTest::Op::Eq, 0)), 3, flat));
  EXPECT_TRUE(eval(since(CountTest::Op::Eq, 0), 3, open0));
  EXPECT_TRUE(eval(since(CountTest::Op::Gt, 4), 3, open5));
  EXPECT_FALSE(eval(since(CountTest::Op::Gt, 5), 3, open5));
  EXPECT_TRUE(eval(since(CountTest::Op::Ge, 5), 3, open5));
  EXPECT_TRUE(eval(since(CountTest::Op::Lt, 6), 3, open5));
  EXPECT_TRUE(eval(since(CountTest::Op::Le, 5), 3, open5));
}

TEST(RuleProgram, SharesOneSlotPerReferenceText) {
  KeyTable keys;
  RuleProgram p;
  p.add(Cmp(K::Gt, R("a"), R("b.x")), keys);
  p.add(Condition::list(K::Any, {Cmp(K::Lt, R("b.x"), R("a"))}), keys);
  EXPECT_EQ(keys.size(), 2u);
  EXPECT_TRUE(keys.has_prefix("b."));
  EXPECT_FALSE(keys.has_prefix("a."));
}

}  // namespace

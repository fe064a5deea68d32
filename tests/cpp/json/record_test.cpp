#include <gtest/gtest.h>

#include <string>

#include "sorvik_json/reader.hpp"
#include "sorvik_json/record.hpp"

namespace {

using namespace sorvik::json;

Value P(std::string_view text) {
  auto v = parse(text);
  EXPECT_TRUE(v.has_value()) << text;
  return v ? std::move(*v) : Value();
}

template <class T>
std::string error_of(const Read<T>& r) {
  return r ? std::string("ok") : r.error().message;
}

TEST(Messages, FoundValuesAndNameLists) {
  EXPECT_EQ(describe(P("null")), "null");
  EXPECT_EQ(describe(P("true")), "boolean `true`");
  EXPECT_EQ(describe(P("5")), "integer `5`");
  EXPECT_EQ(describe(P("-5")), "integer `-5`");
  EXPECT_EQ(describe(P("1.5")), "floating point `1.5`");
  EXPECT_EQ(describe(P("1.0")), "floating point `1.0`");
  EXPECT_EQ(describe(P("-0")), "floating point `-0.0`");
  EXPECT_EQ(describe(P("1e-7")), "floating point `0.0000001`");
  EXPECT_EQ(describe(P("1e20")), "floating point `100000000000000000000.0`");
  EXPECT_EQ(describe(P("1e23")), "floating point `100000000000000000000000.0`");
  EXPECT_EQ(describe(P("-1.25e-5")), "floating point `-0.0000125`");
  EXPECT_EQ(describe(P("123.5")), "floating point `123.5`");
  EXPECT_EQ(describe(P("5e-324")), "floating point `0." + std::string(323, '0') + "5`");
  EXPECT_EQ(describe(P(R"("x\"y")")), R"(string "x\"y")");
  EXPECT_EQ(describe(P("[1]")), "sequence");
  EXPECT_EQ(describe(P("{}")), "map");
  const std::string_view one[] = {"a"};
  const std::string_view two[] = {"a", "b"};
  const std::string_view three[] = {"a", "b", "c"};
  EXPECT_EQ(name_list(one), "`a`");
  EXPECT_EQ(name_list(two), "`a` or `b`");
  EXPECT_EQ(name_list(three), "one of `a`, `b`, `c`");
  EXPECT_EQ(unknown_variant("x", {}).message, "unknown variant `x`, there are no variants");
  EXPECT_EQ(unknown_field("x", two).message, "unknown field `x`, expected `a` or `b`");
}

TEST(Messages, QuotedStringsEscapeLikeADebugView) {
  EXPECT_EQ(quoted_text("abc"), "\"abc\"");
  EXPECT_EQ(quoted_text(std::string("a\t\r\n\0\"\\'", 8)), R"("a\t\r\n\0\"\\'")");
  EXPECT_EQ(quoted_text("\x01\x1f\x7f"), R"("\u{1}\u{1f}\u{7f}")");
  EXPECT_EQ(quoted_text("\xC3\xA9/\xE2\x82\xAC"), "\"\xC3\xA9/\xE2\x82\xAC\"");  // printable: unchanged
  EXPECT_EQ(quoted_text("\xC2\x85\xC2\xA0\xE2\x80\x8B"), R"("\u{85}\u{a0}\u{200b}")");  // control, no-break space, format
  EXPECT_EQ(quoted_text("e\xCC\x81"), R"("e\u{301}")");  // combining mark
  EXPECT_EQ(quoted_text("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"");
}

TEST(Scalars, NumbersAndTheirMessages) {
  EXPECT_EQ(*read_u32(P("4294967295")), 4294967295u);
  EXPECT_EQ(error_of(read_u32(P("4294967296"))), "invalid value: integer `4294967296`, expected u32");
  EXPECT_EQ(error_of(read_u32(P("-1"))), "invalid value: integer `-1`, expected u32");
  EXPECT_EQ(error_of(read_u32(P("1.0"))), "invalid type: floating point `1.0`, expected u32");
  EXPECT_EQ(error_of(read_u32(P("null"))), "invalid type: null, expected u32");
  EXPECT_EQ(*read_i64(P("9223372036854775807")), INT64_MAX);
  EXPECT_EQ(*read_i64(P("-9223372036854775808")), INT64_MIN);
  EXPECT_EQ(error_of(read_i64(P("9223372036854775808"))), "invalid value: integer `9223372036854775808`, expected i64");
  EXPECT_EQ(error_of(read_i64(P("1.0"))), "invalid type: floating point `1.0`, expected i64");
  EXPECT_EQ(*read_f64(P("3")), 3.0);
  EXPECT_EQ(*read_f64(P("-3")), -3.0);
  EXPECT_EQ(error_of(read_f64(P("\"3\""))), "invalid type: string \"3\", expected f64");
  EXPECT_EQ(error_of(read_string(P("5"))), "invalid type: integer `5`, expected a string");
  EXPECT_EQ(error_of(read_bool(P("0"))), "invalid type: integer `0`, expected a boolean");
  EXPECT_EQ(error_of(read_seq(P("{}"), read_f64)), "invalid type: map, expected a sequence");
  EXPECT_EQ(error_of(read_seq(P("[1,\"x\"]"), read_f64)), "invalid type: string \"x\", expected f64");
  EXPECT_EQ(error_of(read_map(P("[]"), read_f64)), "invalid type: sequence, expected a map");
  EXPECT_FALSE(read_optional(P("null"), read_u32)->has_value());
  EXPECT_EQ(**read_optional(P("7"), read_u32), 7u);
  auto m = read_map(P(R"({"b":1,"a":2})"), read_f64);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->begin()->first, "a");
}

// A record with a required, a defaulted and an optional field.
struct Rec {
  std::string name;
  std::uint32_t count = 9;
  std::optional<double> level;
};
constexpr Field kRecFields[] = {{"name"}, {"count", Field::kOptional}, {"level", Field::kOptional}};

Read<Rec> read_rec(const Value& v, bool deny) {
  Rec r;
  const RecordShape shape{"struct Rec", kRecFields, deny};
  Status s = read_record(v, shape, [&](std::size_t f, const Value& x) -> Status {
    switch (f) {
      case 0: return assign(r.name, read_string(x));
      case 1: return assign(r.count, read_u32(x));
      default: return assign(r.level, read_optional(x, read_f64));
    }
  });
  if (!s) return std::unexpected(s.error());
  return r;
}

TEST(Records, ObjectAndArrayForms) {
  struct Row {
    const char* text;
    bool deny;
    const char* expected;  // "ok name count level" or the message
  };
  const Row rows[] = {
      {R"({"name":"a"})", false, "ok a 9 -"},
      {R"({"name":"a","count":3,"level":null,"x":1})", false, "ok a 3 -"},
      {R"({"level":2,"name":"a"})", false, "ok a 9 2.0"},
      {R"({"count":3})", false, "missing field `name`"},
      // Members are checked in ascending key order, before missing fields are reported.
      {R"({"count":-1})", false, "invalid value: integer `-1`, expected u32"},
      {R"({"name":1,"count":"x"})", false, "invalid type: string \"x\", expected u32"},
      {R"({"name":"a","extra":1})", true, "unknown field `extra`, expected one of `name`, `count`, `level`"},
      {R"({"aaa":1,"count":"x"})", true, "unknown field `aaa`, expected one of `name`, `count`, `level`"},
      {R"(["a"])", false, "ok a 9 -"},
      {R"(["a",4,1.5])", false, "ok a 4 1.5"},
      {R"([])", false, "invalid length 0, expected struct Rec with 3 elements"},
      {R"([1])", false, "invalid type: integer `1`, expected a string"},
      {R"(["a",1,2,3])", false, "invalid length 4, expected fewer elements in array"},
      {R"("a")", false, "invalid type: string \"a\", expected struct Rec"},
      {R"(null)", false, "invalid type: null, expected struct Rec"},
  };
  for (const Row& row : rows) {
    auto r = read_rec(P(row.text), row.deny);
    std::string got;
    if (r) {
      got = "ok " + r->name + " " + std::to_string(r->count) + " ";
      got += r->level ? std::to_string(*r->level).substr(0, 3) : "-";
    } else {
      got = r.error().message;
    }
    EXPECT_EQ(got, row.expected) << row.text;
  }
}

constexpr Field kFraction[] = {{"fraction"}};
constexpr Field kVolTarget[] = {{"target_vol"}, {"lookback"}};
constexpr VariantShape kSizingVariants[] = {
    {"fixed_fraction", "struct variant Sizing::FixedFraction", kFraction},
    {"vol_target", "struct variant Sizing::VolTarget", kVolTarget},
    {"none", "unit variant Sizing::None", {}},
};
constexpr TaggedShape kSizing{"internally tagged enum Sizing", "type", kSizingVariants};

std::string read_sizing(std::string_view text) {
  double a = 0;
  std::uint32_t n = 0;
  auto r = read_tagged(P(text), kSizing, [&](std::size_t variant, std::size_t field, const Value& x) -> Status {
    if (variant == 1 && field == 1) return assign(n, read_u32(x));
    return assign(a, read_f64(x));
  });
  if (!r) return r.error().message;
  return std::to_string(*r) + " " + std::to_string(a).substr(0, 3) + " " + std::to_string(n);
}

TEST(Enumerations, InternallyTagged) {
  EXPECT_EQ(read_sizing(R"({"type":"fixed_fraction","fraction":0.5,"x":1})"), "0 0.5 0");
  EXPECT_EQ(read_sizing(R"(["vol_target",0.2,20])"), "1 0.2 20");
  EXPECT_EQ(read_sizing(R"({"lookback":3,"target_vol":1,"type":"vol_target"})"), "1 1.0 3");
  EXPECT_EQ(read_sizing(R"({"fraction":0.5})"), "missing field `type`");
  EXPECT_EQ(read_sizing(R"([])"), "missing field `type`");
  EXPECT_EQ(read_sizing(R"({"type":"fixed_fraction"})"), "missing field `fraction`");
  EXPECT_EQ(read_sizing(R"({"type":"big","fraction":"x"})"),
            "unknown variant `big`, expected one of `fixed_fraction`, `vol_target`, `none`");
  EXPECT_EQ(read_sizing(R"({"type":1})"), "invalid type: integer `1`, expected variant identifier");
  EXPECT_EQ(read_sizing(R"(["vol_target",0.2])"), "invalid length 1, expected struct variant Sizing::VolTarget with 2 elements");
  EXPECT_EQ(read_sizing(R"(["fixed_fraction",0.2,3])"), "invalid length 2, expected 1 element in sequence");
  EXPECT_EQ(read_sizing(R"(["vol_target",0.2,3,4])"), "invalid length 3, expected 2 elements in sequence");
  EXPECT_EQ(read_sizing(R"(["none",1])"), "invalid length 1, expected 0 elements in sequence");
  EXPECT_EQ(read_sizing(R"({"type":"none","a":1})"), "2 0.0 0");
  EXPECT_EQ(read_sizing(R"("fixed_fraction")"), "invalid type: string \"fixed_fraction\", expected internally tagged enum Sizing");
}

TEST(Enumerations, UnitAndExternalVariants) {
  const std::string_view names[] = {"market", "limit", "stop"};
  EXPECT_EQ(*read_unit_variant(P(R"("limit")"), names), 1u);
  EXPECT_EQ(*read_unit_variant(P(R"({"stop":null})"), names), 2u);
  EXPECT_EQ(error_of(read_unit_variant(P(R"("Limit")"), names)),
            "unknown variant `Limit`, expected one of `market`, `limit`, `stop`");
  EXPECT_EQ(error_of(read_unit_variant(P("3"), names)), "invalid type: integer `3`, expected string or map");
  EXPECT_EQ(error_of(read_unit_variant(P(R"({"a":1,"b":2})"), names)), "invalid value: map, expected map with a single key");
  EXPECT_EQ(error_of(read_unit_variant(P(R"({"stop":1})"), names)), "invalid type: integer `1`, expected unit");
  const Value limit = P(R"({"limit":[1,2]})");
  auto e = read_external(limit, names);
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->index, 1u);
  ASSERT_NE(e->payload, nullptr);
  EXPECT_TRUE(e->payload->is_array());
  EXPECT_EQ(read_external(P(R"("stop")"), names)->payload, nullptr);
  EXPECT_EQ(error_of(read_external(P("{}"), names)), "invalid value: map, expected map with a single key");
}

TEST(Sequences, CursorReadsInTupleOrder) {
  Value v = P("[1,2,3]");
  auto c = SeqCursor::open(v, "a tuple of size 2");
  ASSERT_TRUE(c.has_value());
  EXPECT_TRUE(c->next("a tuple of size 2").has_value());
  EXPECT_TRUE(c->next("a tuple of size 2").has_value());
  EXPECT_EQ(c->finish().error().message, "invalid length 3, expected fewer elements in array");
  Value short_v = P("[1]");
  auto s = SeqCursor::open(short_v, "a tuple of size 2");
  (void)s->next("a tuple of size 2");
  EXPECT_EQ(s->next("a tuple of size 2").error().message, "invalid length 1, expected a tuple of size 2");
  EXPECT_EQ(SeqCursor::open(P("{}"), "a tuple of size 2").error().message, "invalid type: map, expected a tuple of size 2");
}

}  // namespace

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "sorvik_json/reader.hpp"

namespace {

using sorvik::json::Kind;
using sorvik::json::parse;
using sorvik::json::Value;

// A compact, unambiguous dump: u5 i-5 f<hex bits> "s" [..] {k:..}.
std::string dump(const Value& v) {
  switch (v.kind()) {
    case Kind::Null: return "null";
    case Kind::Bool: return v.as_bool() ? "true" : "false";
    case Kind::U64: return "u" + std::to_string(v.as_u64());
    case Kind::I64: return "i" + std::to_string(v.as_i64());
    case Kind::F64: {
      char buf[64];
      auto r = std::to_chars(buf, buf + sizeof buf, v.as_f64());
      return "f" + std::string(buf, r.ptr);
    }
    case Kind::String: return "\"" + std::string(v.as_string()) + "\"";
    case Kind::Array: {
      std::string s = "[";
      for (const Value& x : v.items()) s += dump(x) + ",";
      return s + "]";
    }
    case Kind::Object: {
      std::string s = "{";
      for (const auto& m : v.members()) s += std::string(m.key()) + ":" + dump(m.value()) + ",";
      return s + "}";
    }
  }
  return "?";
}

std::string parse_dump(std::string_view text) {
  auto v = parse(text);
  if (!v) return "ERR " + v.error().display();
  return dump(*v);
}

struct Case {
  std::string text;
  std::string expected;
};

class ReaderCases : public ::testing::TestWithParam<Case> {};

TEST_P(ReaderCases, ParsesOrFailsAtPosition) { EXPECT_EQ(parse_dump(GetParam().text), GetParam().expected) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(
    Values, ReaderCases,
    ::testing::Values(
        Case{"null", "null"}, Case{" true ", "true"}, Case{"\t\r\nfalse\n", "false"}, Case{"0", "u0"},
        Case{"18446744073709551615", "u18446744073709551615"},
        Case{"18446744073709551616", "f18446744073709551616"}, Case{"-1", "i-1"},
        Case{"-9223372036854775808", "i-9223372036854775808"},
        Case{"-9223372036854775809", "f-9223372036854775808"}, Case{"-0", "f-0"}, Case{"-0.0", "f-0"},
        Case{"0.0", "f0"}, Case{"1.0", "f1"}, Case{"1e2", "f100"}, Case{"1E+2", "f100"}, Case{"25e-1", "f2.5"},
        Case{"0.1", "f0.1"}, Case{"9007199254740993.0", "f9007199254740992"},
        Case{"2.4703282292062328e-324", "f5e-324"}, Case{"2.4703282292062327e-324", "f0"},
        Case{"1e-400", "f0"}, Case{"-1e-400", "f-0"}, Case{"0e99999999999999", "f0"},
        Case{"1.7976931348623157e308", "f1.7976931348623157e+308"},
        Case{R"("a\"\\\/\b\f\n\r\t")", "\"a\"\\/\b\f\n\r\t\""}, Case{R"("\u00e9\u20AC")", "\"\xC3\xA9\xE2\x82\xAC\""},
        Case{R"("\ud83d\ude00")", "\"\xF0\x9F\x98\x80\""}, Case{R"("\u0000")", std::string("\"\0\"", 3)},
        Case{"\"\xC3\xA9\x7F\"", "\"\xC3\xA9\x7F\""}, Case{"[]", "[]"}, Case{"[1,[2,[]]]", "[u1,[u2,[],],]"},
        Case{"{}", "{}"}, Case{R"({"b":1,"a":2,"ab":3})", "{a:u2,ab:u3,b:u1,}"},
        Case{R"({"a":1,"a":2})", "{a:u2,}"}, Case{"{\"\xC3\xA9\":1,\"z\":2}", "{z:u2,\xC3\xA9:u1,}"},
        Case{R"({"k":1,"j":2,"k":3,"j":4,"i":5})", "{i:u5,j:u4,k:u3,}"},
        // Failures and their positions.
        Case{"", "ERR EOF while parsing a value at line 1 column 0"},
        Case{"   ", "ERR EOF while parsing a value at line 1 column 3"},
        Case{"[", "ERR EOF while parsing a list at line 1 column 1"},
        Case{"[1", "ERR EOF while parsing a list at line 1 column 2"},
        Case{"[1,", "ERR EOF while parsing a value at line 1 column 3"},
        Case{"[1,]", "ERR trailing comma at line 1 column 4"},
        Case{"[1 2]", "ERR expected `,` or `]` at line 1 column 4"},
        Case{"[,1]", "ERR expected value at line 1 column 2"},
        Case{"{", "ERR EOF while parsing an object at line 1 column 1"},
        Case{R"({"a")", "ERR EOF while parsing an object at line 1 column 4"},
        Case{R"({"a" 1})", "ERR expected `:` at line 1 column 6"},
        Case{R"({"a":1,})", "ERR trailing comma at line 1 column 8"},
        Case{R"({"a":1,)", "ERR EOF while parsing a value at line 1 column 7"},
        Case{R"({"a":1 "b":2})", "ERR expected `,` or `}` at line 1 column 8"},
        Case{R"({"a":1)", "ERR EOF while parsing an object at line 1 column 6"},
        Case{"{1:2}", "ERR key must be a string at line 1 column 2"},
        Case{R"({"a":1,2})", "ERR key must be a string at line 1 column 8"},
        Case{R"({"a":})", "ERR expected value at line 1 column 6"},
        Case{"nul", "ERR EOF while parsing a value at line 1 column 3"},
        Case{"nulx", "ERR expected ident at line 1 column 4"},
        Case{"tRue", "ERR expected ident at line 1 column 2"},
        Case{"x", "ERR expected value at line 1 column 1"}, Case{"+1", "ERR expected value at line 1 column 1"},
        Case{".5", "ERR expected value at line 1 column 1"}, Case{"NaN", "ERR expected value at line 1 column 1"},
        Case{"\"abc", "ERR EOF while parsing a string at line 1 column 4"},
        Case{"\"a\x01\"", "ERR control character (\\u0000-\\u001F) found while parsing a string at line 1 column 3"},
        Case{"\"a\nb\"", "ERR control character (\\u0000-\\u001F) found while parsing a string at line 2 column 0"},
        Case{R"("\q")", "ERR invalid escape at line 1 column 3"},
        Case{R"("\u12")", "ERR EOF while parsing a string at line 1 column 6"},
        Case{R"("\u12x4")", "ERR invalid escape at line 1 column 7"},
        Case{R"("\uDC00")", "ERR lone leading surrogate in hex escape at line 1 column 7"},
        Case{R"("\uD800")", "ERR unexpected end of hex escape at line 1 column 8"},
        Case{R"("\uD800\n")", "ERR unexpected end of hex escape at line 1 column 9"},
        Case{R"("\uD800\u0041")", "ERR lone leading surrogate in hex escape at line 1 column 13"},
        Case{R"("\uD800\uD800")", "ERR lone leading surrogate in hex escape at line 1 column 13"},
        Case{R"("\uD800)", "ERR EOF while parsing a string at line 1 column 7"},
        Case{R"("\)", "ERR EOF while parsing a string at line 1 column 2"},
        Case{"01", "ERR invalid number at line 1 column 2"}, Case{"-", "ERR EOF while parsing a value at line 1 column 1"},
        Case{"-x", "ERR invalid number at line 1 column 2"},
        Case{"-Infinity", "ERR invalid number at line 1 column 2"},
        Case{"1.", "ERR EOF while parsing a value at line 1 column 2"},
        Case{"1.x", "ERR invalid number at line 1 column 3"},
        Case{"[1.]", "ERR invalid number at line 1 column 4"},
        Case{"1e", "ERR EOF while parsing a value at line 1 column 2"},
        Case{"1e+", "ERR EOF while parsing a value at line 1 column 3"},
        Case{"1ex", "ERR invalid number at line 1 column 3"},
        Case{"1e400", "ERR number out of range at line 1 column 5"},
        Case{"[-1.5e400]", "ERR number out of range at line 1 column 9"},
        Case{"1 2", "ERR trailing characters at line 1 column 3"},
        Case{"[1]]", "ERR trailing characters at line 1 column 4"},
        Case{"{\"cmd\":\"version\"} x", "ERR trailing characters at line 1 column 19"},
        Case{"[\n1,\n  x]", "ERR expected value at line 3 column 3"},
        Case{"\xFF", "ERR expected value at line 1 column 1"},
        Case{std::string("\0", 1), "ERR expected value at line 1 column 1"},
        Case{std::string("1\0", 2), "ERR trailing characters at line 1 column 2"},
        Case{"\"a\xFF\"", "ERR invalid unicode code point at line 1 column 3"},
        Case{"\"\xC0\xAF\"", "ERR invalid unicode code point at line 1 column 2"},
        Case{"\"\xED\xA0\x80\"", "ERR invalid unicode code point at line 1 column 2"},
        Case{"\"\xF4\x90\x80\x80\"", "ERR invalid unicode code point at line 1 column 2"},
        Case{"\"\xE2\x82\"", "ERR invalid unicode code point at line 1 column 2"}));

TEST(Reader, RecursionLimitAt128Levels) {
  EXPECT_TRUE(parse(std::string(127, '[') + std::string(127, ']')).has_value());
  EXPECT_TRUE(parse(std::string(126, '[') + "{\"a\":1}" + std::string(126, ']')).has_value());
  EXPECT_EQ(parse_dump(std::string(128, '[') + std::string(128, ']')),
            "ERR recursion limit exceeded at line 1 column 128");
  std::string objects;
  for (int i = 0; i < 128; ++i) objects += "{\"a\":";
  EXPECT_EQ(parse_dump(objects), "ERR recursion limit exceeded at line 1 column " + std::to_string(127 * 5 + 1));
}

TEST(Reader, HostileInputsFailQuickly) {
  EXPECT_EQ(parse_dump(std::string(100000, '[')), "ERR recursion limit exceeded at line 1 column 128");
  EXPECT_EQ(parse_dump("1" + std::string(1000000, '0')), "ERR number out of range at line 1 column 1000001");
  EXPECT_EQ(parse_dump("0." + std::string(1000000, '0') + "1"), "f0");
  EXPECT_EQ(parse_dump("[1" + std::string(1000000, '0') + "e-1000000]"), "[f1,]");
  const std::string big(50u << 20, 'x');
  auto v = parse("\"" + big + "\"");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->as_string().size(), big.size());
  EXPECT_EQ(parse_dump("\"" + big), "ERR EOF while parsing a string at line 1 column " + std::to_string(big.size() + 1));
}

TEST(Reader, RandomBytesNeverCrash) {
  std::mt19937_64 rng(7);
  const std::string alphabet = "[]{}\",:\\u0123456789abcdefeE.+-ntrl \n\x01\x80\xC3\xFF";
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const std::size_t n = rng() % 40;
    for (std::size_t i = 0; i < n; ++i) {
      text.push_back(rng() % 4 == 0 ? static_cast<char>(rng() & 0xFF) : alphabet[rng() % alphabet.size()]);
    }
    auto v = parse(text);
    if (!v) {
      EXPECT_GE(v.error().line, 1u);
      EXPECT_FALSE(v.error().message.empty());
    }
  }
}

TEST(Value, CopiesAreDeepAndMovesLeaveNull) {
  auto v = parse(R"({"a":[1,"a string longer than fourteen bytes",{"b":null}],"c":"short"})");
  ASSERT_TRUE(v.has_value());
  Value copy = *v;
  EXPECT_EQ(dump(copy), dump(*v));
  Value moved = std::move(copy);
  EXPECT_TRUE(copy.is_null());
  EXPECT_EQ(dump(moved), dump(*v));
  ASSERT_NE(v->find("c"), nullptr);
  EXPECT_EQ(v->find("c")->as_string(), "short");
  EXPECT_EQ(v->find("zz"), nullptr);
  EXPECT_EQ(v->find("a")->find("x"), nullptr);
}

TEST(Value, BuildersSortAndKeepLaterDuplicates) {
  sorvik::json::ObjectBuilder b;
  b.add("z", Value::u64(1)).add("a", Value::i64(-2)).add("z", Value::string("last")).add("m", Value::f64(0.5));
  Value v = std::move(b).build();
  EXPECT_EQ(dump(v), "{a:i-2,m:f0.5,z:\"last\",}");
  sorvik::json::ArrayBuilder a;
  a.push(Value::boolean(true)).push(std::move(v));
  EXPECT_EQ(dump(std::move(a).build()), "[true,{a:i-2,m:f0.5,z:\"last\",},]");
}

}  // namespace

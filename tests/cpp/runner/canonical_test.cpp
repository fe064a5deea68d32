#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

#include "sorvik_benchmark/canonical.hpp"
#include "sorvik_benchmark/report_hash.hpp"
#include "sorvik_json/reader.hpp"

namespace {

using sorvik::json::Value;
using sorvik::runner::canonical_text;

std::string of(double x) { return canonical_text(Value::f64(x)); }

TEST(CanonicalWriter, Floats) {
  struct Row {
    double x;
    const char* text;
  };
  const Row rows[] = {
      {0.1, "0.1"},
      {1.0 / 3.0, "0.33333333"},
      {2.0, "2"},
      {-0.0, "0"},
      {0.0, "0"},
      {-0.000000001, "0"},
      {123.456, "123.456"},
      {1234.56789012345, "1234.56789012"},
      {45035996.0, "45035996"},
      {45035996.27370496, "45035996.27370496"},
      {1e16, "10000000000000000"},
      {0.000000004, "0"},
      {0.000000005, "0.00000001"},
      {0.000000025, "0.00000002"},
      {-1.5, "-1.5"},
      {-2.0 / 3.0, "-0.66666667"},
      {45035996.27370495, "45035996.27370495"},  // just below the threshold: rounded to 8 decimals
      {std::numeric_limits<double>::quiet_NaN(), "null"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(of(row.x), row.text) << row.x;
  }
  EXPECT_EQ(of(1e300), "1" + std::string(300, '0'));
  EXPECT_EQ(of(-1e17), "-100000000000000000");
  EXPECT_EQ(of(1e23), "100000000000000000000000");
  EXPECT_EQ(of(123456789.125), "123456789.125");
  EXPECT_EQ(of(-45035996.5), "-45035996.5");
  EXPECT_EQ(of(4.5035996273704961e15), "4503599627370496");
  // Below the threshold the digits are those of %.8f with trailing zeros removed.
  for (double x : {0.123456785, 99999.999999995, 1e-8, 5e-9, 12345678.123456789, 0.30000000000000004}) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.8f", x);
    std::string expected = buf;
    while (expected.back() == '0') expected.pop_back();
    if (expected.back() == '.') expected.pop_back();
    if (expected == "-0") expected = "0";
    EXPECT_EQ(of(x), expected) << x;
  }
}

TEST(CanonicalWriter, ValuesAndStrings) {
  auto v = sorvik::json::parse(R"({"b":1,"a":[true,null,"x\ny"],"c":-5,"d":18446744073709551615,"e":3.0})");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(canonical_text(*v), R"({"a":[true,null,"x\ny"],"b":1,"c":-5,"d":18446744073709551615,"e":3})");
  EXPECT_EQ(canonical_text(Value::i64(INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(canonical_text(Value::string(std::string("\x1f\x08\t\n\x0c\r\x7f/\xC3\xA9\"\\\x01\0", 14))),
            "\"\\u001f\\b\\t\\n\\f\\r\x7f/\xC3\xA9\\\"\\\\\\u0001\\u0000\"");
  // Keys sort by bytes: a proper prefix first, non-ASCII after ASCII.
  auto keys = sorvik::json::parse("{\"\xC3\xA9\":1,\"ab\":2,\"a\":3,\"B\":4}");
  EXPECT_EQ(canonical_text(*keys), "{\"B\":4,\"a\":3,\"ab\":2,\"\xC3\xA9\":1}");
}

TEST(ReportHash, MatchesB3sum) {
  auto v = sorvik::json::parse(R"({"metrics":{"sharpe":1.23456789123,"trades":3},"symbol":"BTC \u00e9"})");
  ASSERT_TRUE(v.has_value());
  const std::string text = canonical_text(*v);
  const std::string path = ::testing::TempDir() + "report_hash_input.json";
  {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  FILE* pipe = popen(("b3sum --no-names " + path).c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buf[128] = {};
  ASSERT_NE(std::fgets(buf, sizeof buf, pipe), nullptr);
  pclose(pipe);
  std::string expected(buf);
  while (!expected.empty() && (expected.back() == '\n' || expected.back() == ' ')) expected.pop_back();
  EXPECT_EQ(sorvik::runner::report_hash(*v), expected);
  EXPECT_EQ(sorvik::runner::blake3_hex(""), "af1349b9f5f9a1a6a0404dea36dcc9499bcb25c9adc112b7cc9a93cae41f3262");
}

}  // namespace

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "sorvik_benchmark/canonical.hpp"
#include "sorvik_benchmark/cases.hpp"
#include "sorvik_benchmark/command.hpp"
#include "sorvik_benchmark/report_hash.hpp"
#include "sorvik_benchmark/suite_runner.hpp"
#include "sorvik_benchmark/verdict.hpp"
#include "sorvik_json/reader.hpp"

namespace {

using namespace sorvik::runner;
using sorvik::Candle;
using sorvik::json::Value;

Value P(std::string_view text) {
  auto v = sorvik::json::parse(text);
  EXPECT_TRUE(v.has_value()) << text;
  return v ? std::move(*v) : Value();
}

const std::string kHash(64, 'a');

std::string case_json(std::string_view id, std::string_view dataset = "d", std::string_view extra = "") {
  return R"({"id":")" + std::string(id) + R"(","description":"","strategy":{},"dataset_ref":")" + std::string(dataset) +
         R"(","expected":{},"expected_hash":")" + kHash + "\"" + std::string(extra) + "}";
}

TEST(Candles, ReadInBothForms) {
  auto c = read_candle(P("[1, 1, 2, 0.5, 1.5]"));
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->time, 1);
  EXPECT_EQ(c->high, 2.0);
  EXPECT_EQ(c->volume, 0.0);
  auto o = read_candle(P(R"({"time":-5,"open":1,"high":2,"low":0.5,"close":1.5,"volume":7,"extra":[]})"));
  ASSERT_TRUE(o.has_value());
  EXPECT_EQ(o->time, -5);
  EXPECT_EQ(o->volume, 7.0);
  struct Row {
    const char* text;
    const char* message;
  };
  const Row rows[] = {
      {R"({"time":1.0,"open":1,"high":1,"low":1,"close":1})", "invalid type: floating point `1.0`, expected i64"},
      {R"({"time":9223372036854775808,"open":1,"high":1,"low":1,"close":1})",
       "invalid value: integer `9223372036854775808`, expected i64"},
      {R"({"time":1,"open":1,"high":1,"low":1})", "missing field `close`"},
      {R"({"close":"x"})", "invalid type: string \"x\", expected f64"},
      {"[1,1,1,1]", "invalid length 4, expected struct Candle with 6 elements"},
      {"[1,1,1,1,1,1,1]", "invalid length 7, expected fewer elements in array"},
      {"7", "invalid type: integer `7`, expected struct Candle"},
  };
  for (const Row& row : rows) {
    auto r = read_candle(P(row.text));
    ASSERT_FALSE(r.has_value()) << row.text;
    EXPECT_EQ(r.error().message, row.message) << row.text;
  }
  EXPECT_EQ(read_candles(P("{}")).error().message, "invalid type: map, expected a sequence");
  EXPECT_EQ(read_datasets(P("[]")).error().message, "invalid type: sequence, expected a map");
}

TEST(Cases, ReaderRefusesUnknownKeys) {
  EXPECT_EQ(read_case(P(case_json("a", "d", R"(,"note":1)"))).error().message,
            "unknown field `note`, expected one of `id`, `description`, `strategy`, `dataset_ref`, `expected`, "
            "`expected_hash`");
  EXPECT_EQ(read_case(P(R"({"id":"a"})")).error().message, "missing field `description`");
  EXPECT_EQ(read_case(P("[\"a\",\"\",{}]")).error().message, "invalid length 3, expected struct BenchmarkCase with 6 elements");
  auto arr = read_case(P("[\"a\",\"d\",{},\"x\",{},\"" + kHash + "\"]"));
  ASSERT_TRUE(arr.has_value());
  EXPECT_EQ(arr->dataset_ref, "x");
  auto suite = read_suite(P(R"({"cases":[]})"));
  ASSERT_TRUE(suite.has_value());
  EXPECT_EQ(suite->name, "");
  EXPECT_EQ(read_suite(P(R"({"name":"n"})")).error().message, "missing field `cases`");
  EXPECT_EQ(read_suite(P("[]")).error().message, "invalid length 0, expected struct Suite with 2 elements");
}

BenchmarkCase make_case(std::string id, std::string dataset, std::string hash, Value expected, Value strategy) {
  return BenchmarkCase{std::move(id), "", std::move(strategy), std::move(dataset), std::move(expected), std::move(hash)};
}

TEST(Cases, ValidationOrderAndMessages) {
  struct Row {
    BenchmarkCase c;
    std::string display;
  };
  Row rows[] = {
      {make_case("", "", "x", P("1"), P("1")), "invalid case: case id must not be empty"},
      {make_case("a", "", "x", P("1"), P("1")), "invalid case: dataset_ref must not be empty"},
      {make_case("a", "d", std::string(64, 'A'), P("{}"), P("{}")),
       "invalid case: expected_hash must be 64 lowercase hex characters, got \"" + std::string(64, 'A') + "\""},
      {make_case("a", "d", std::string("q\"\\\t\r\n\0\x01", 8), P("{}"), P("{}")),
       R"(invalid case: expected_hash must be 64 lowercase hex characters, got "q\"\\\t\r\n\0\u{1}")"},
      {make_case("a", "d", kHash + "0", P("{}"), P("{}")),
       "invalid case: expected_hash must be 64 lowercase hex characters, got \"" + kHash + "0\""},
      {make_case("a", "d", kHash, P("1"), P("1")), "invalid case: expected must be a JSON object (a BacktestReport)"},
      {make_case("a", "d", kHash, P("{}"), P("[]")),
       "invalid strategy spec: strategy must be a JSON object (a StrategySpec)"},
  };
  for (const Row& row : rows) {
    auto r = validate_case(row.c);
    ASSERT_FALSE(r.has_value()) << row.display;
    EXPECT_EQ(r.error().display(), row.display);
  }
  EXPECT_TRUE(validate_case(make_case("a", "d", kHash, P("{}"), P("{}"))).has_value());
  std::vector<BenchmarkCase> suite;
  for (const char* id : {"b", "a", "b"}) suite.push_back(make_case(id, "d", kHash, P("{}"), P("{}")));
  EXPECT_EQ(validate_suite(suite).error().display(), "invalid case: duplicate case id: b");
  suite[2].id = "";
  EXPECT_EQ(validate_suite(suite).error().display(), "invalid case: case id must not be empty");
  EXPECT_TRUE(validate_suite({}).has_value());
}

TEST(Verdict, ComparesCanonicalTextsAndHash) {
  const Value report = P(R"({"a":1.000000001,"n":3,"m":null})");
  const std::string hash = report_hash(report);
  struct Row {
    const char* expected;
    bool passed;
  };
  const Row rows[] = {
      {R"({ "n": 3.0, "m": null, "a": 1 })", true},  // key order, whitespace, digits beyond the 8th decimal
      {R"({"a":1,"n":3})", false},
      {R"({"a":1,"n":3,"m":null,"x":0})", false},
      {R"({"a":1.00000001,"n":3,"m":null})", false},
  };
  for (const Row& row : rows) {
    auto c = make_case("id", "d", hash, P(row.expected), P("{}"));
    CaseResult r = case_verdict(c, report);
    EXPECT_EQ(r.passed, row.passed) << row.expected;
    EXPECT_TRUE(r.hash_match);
    EXPECT_EQ(r.hash, hash);
  }
  auto c = make_case("id", "d", kHash, P(R"({"a":1,"n":3,"m":null})"), P("{}"));
  CaseResult r = case_verdict(c, report);
  EXPECT_TRUE(r.passed);
  EXPECT_FALSE(r.hash_match);
  EXPECT_EQ(canonical_text(case_result_to_json(std::move(r))),
            R"({"hash":")" + hash + R"(","hash_match":false,"id":"id","passed":true,"recomputed":{"a":1,"m":null,"n":3}})");
}

// A stand-in engine: the report is the number of candles and the first close; ids starting with "fail"
// fail, recording which cases ran.
std::expected<CaseResult, RunnerError> fake_run(const BenchmarkCase& c, std::vector<Candle> candles) {
  if (c.id.starts_with("fail")) return std::unexpected(RunnerError::engine_error("boom " + c.id));
  sorvik::json::ObjectBuilder b;
  b.add("bars", Value::u64(candles.size()));
  b.add("first_close", candles.empty() ? Value() : Value::f64(candles[0].close));
  return case_verdict(c, std::move(b).build());
}

TEST(SuiteRun, SortsCountsAndReportsFirstErrors) {
  Datasets datasets;
  datasets["d"] = {Candle{1, 1, 1, 1, 2.5, 0}, Candle{2, 1, 1, 1, 3, 0}};
  datasets["e"] = {Candle{1, 1, 1, 1, 7, 0}};
  const Value expected_d = P(R"({"bars":2,"first_close":2.5})");
  Suite suite;
  suite.cases.push_back(make_case("b", "d", report_hash(expected_d), expected_d, P("{}")));
  suite.cases.push_back(make_case("a", "e", report_hash(expected_d), expected_d, P("{}")));
  suite.cases.push_back(make_case("c", "d", kHash, expected_d, P("{}")));
  auto r = run_suite(suite, datasets, fake_run);
  ASSERT_TRUE(r.has_value());
  ASSERT_EQ(r->results.size(), 3u);
  EXPECT_EQ(r->results[0].id, "a");
  EXPECT_EQ(r->results[1].id, "b");
  EXPECT_EQ(r->results[2].id, "c");
  EXPECT_FALSE(r->results[0].passed);
  EXPECT_TRUE(r->results[1].passed && r->results[1].hash_match);
  EXPECT_TRUE(r->results[2].passed && !r->results[2].hash_match);
  EXPECT_EQ(r->passed, 1u);
  EXPECT_EQ(r->failed, 2u);

  Suite missing;
  missing.cases.push_back(make_case("a", "x", kHash, P("{}"), P("{}")));
  missing.cases.push_back(make_case("b", "y", kHash, P("{}"), P("{}")));
  EXPECT_EQ(run_suite(missing, datasets, fake_run).error().display(), "data error: no dataset supplied for x");
  missing.cases.push_back(make_case("c", "d", "bad", P("{}"), P("{}")));
  EXPECT_EQ(run_suite(missing, datasets, fake_run).error().display(),
            "invalid case: expected_hash must be 64 lowercase hex characters, got \"bad\"");

  Suite failing;
  for (int i = 0; i < 50; ++i) failing.cases.push_back(make_case("ok" + std::to_string(i), "d", kHash, P("{}"), P("{}")));
  failing.cases.push_back(make_case("fail1", "d", kHash, P("{}"), P("{}")));
  auto f = run_suite(failing, datasets, fake_run);
  ASSERT_FALSE(f.has_value());
  EXPECT_EQ(f.error().display(), "backtest engine error: boom fail1");

  EXPECT_EQ(canonical_text(suite_result_to_json(*run_suite(Suite{}, {}, fake_run))), R"({"failed":0,"passed":0,"results":[]})");
}

TEST(Commands, Protocol) {
  const std::string version = R"({"engine_version":"0.2.0","version":"0.2.0"})";
  struct Row {
    std::string command;
    std::string response;  // exact, or a prefix when it ends with '*'
  };
  const Row rows[] = {
      {R"({"cmd":"version"})", version},
      {R"(  {"cmd":"version","x":[1,2]}  )", version},
      {R"({"cmd":"Version"})", R"({"error":"parse error: unknown cmd: Version","ok":false})"},
      {"{}", R"({"error":"parse error: unknown cmd: ","ok":false})"},
      {"[]", R"({"error":"parse error: unknown cmd: ","ok":false})"},
      {R"("version")", R"({"error":"parse error: unknown cmd: ","ok":false})"},
      {R"({"cmd":7})", R"({"error":"parse error: unknown cmd: ","ok":false})"},
      {R"({"cmd":"a\"b\n"})", R"({"error":"parse error: unknown cmd: a\"b\n","ok":false})"},
      {"", R"({"error":"parse error: EOF while parsing a value at line 1 column 0","ok":false})"},
      {R"({"cmd":"version"} x)", R"({"error":"parse error: trailing characters at line 1 column 19","ok":false})"},
      {R"({"cmd":"run_case"})", R"({"error":"parse error: missing field `case`","ok":false})"},
      {R"({"cmd":"run_case","case":)" + case_json("a") + "}", R"({"error":"parse error: missing field `data`","ok":false})"},
      {R"({"cmd":"run_case","case":)" + case_json("a") + R"(,"data":[[1,1,1,1]]})",
       R"({"error":"parse error: invalid length 4, expected struct Candle with 6 elements","ok":false})"},
      {R"({"cmd":"run_case","case":)" + case_json("") + R"(,"data":[]})",
       R"({"error":"invalid case: case id must not be empty","ok":false})"},
      {R"({"cmd":"run_case","case":)" + case_json("a") + R"(,"data":[]})",
       R"({"error":"*)"},  // whatever the engine answers for an empty strategy, it is an error
      {R"({"cmd":"run_case","case":7,"data":{}})",
       R"({"error":"parse error: invalid type: integer `7`, expected struct BenchmarkCase","ok":false})"},
      {R"({"cmd":"list_cases","suite":{"cases":[]}})", R"({"ids":[]})"},
      {R"({"cmd":"list_cases","suite":{"cases":[)" + case_json("b") + "," + case_json("a") + "]}}", R"({"ids":["a","b"]})"},
      {R"({"cmd":"list_cases","suite":{"cases":[)" + case_json("b") + "," + case_json("b") + "]}}",
       R"({"error":"invalid case: duplicate case id: b","ok":false})"},
      {R"({"cmd":"list_cases","suite":"x"})",
       R"({"error":"parse error: invalid type: string \"x\", expected struct Suite","ok":false})"},
      {R"({"cmd":"version","cmd":"list_cases"})", R"({"error":"parse error: missing field `suite`","ok":false})"},
      {R"({"cmd":"run_suite","suite":{"cases":[]}})", R"({"failed":0,"passed":0,"results":[]})"},
      {R"({"cmd":"run_suite","suite":{"cases":[)" + case_json("a", "x") + "]}}",
       R"({"error":"data error: no dataset supplied for x","ok":false})"},
      {R"({"cmd":"run_suite","suite":{"cases":[)" + case_json("a", "x") + "," + case_json("b", "y") + R"(]},"datasets":{"x":[]}})",
       R"({"error":"data error: no dataset supplied for y","ok":false})"},
      {R"({"cmd":"run_suite","suite":{"cases":[]},"datasets":[]})",
       R"({"error":"parse error: invalid type: sequence, expected a map","ok":false})"},
      {std::string(100000, '['), R"({"error":"parse error: recursion limit exceeded at line 1 column 128","ok":false})"},
  };
  for (const Row& row : rows) {
    const std::string got = handle_command(row.command);
    if (row.response.back() == '*') {
      EXPECT_TRUE(got.starts_with(row.response.substr(0, row.response.size() - 1))) << row.command << " -> " << got;
    } else {
      EXPECT_EQ(got, row.response) << row.command.substr(0, 200);
    }
  }
}

}  // namespace

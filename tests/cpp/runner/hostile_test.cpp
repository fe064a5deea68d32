// Hostile command texts through handle_command, and every built indicator type fed degenerate
// candles. Run in the sanitizer build too, where an out-of-bounds access, a leak, an undefined
// conversion or an abort anywhere below the command layer fails the test.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "sorvik/factory.hpp"
#include "sorvik_benchmark/command.hpp"
#include "sorvik_json/reader.hpp"

namespace {

using sorvik::runner::handle_command;

constexpr double kMaxPeriod = 16777216.0;
const std::string kHash(64, '0');

std::string strategy(const std::string& indicators, const std::string& entry, const std::string& exit,
                     const std::string& extra = "") {
  return R"({"symbol":"X","timeframe":"1h","indicators":)" + indicators + R"(,"entry":)" + entry +
         R"(,"exit":)" + exit + R"(,"sizing":{"type":"fixed_fraction","fraction":0.5})" + extra + "}";
}

std::string run_case(const std::string& strat, const std::string& data) {
  return R"({"cmd":"run_case","case":{"id":"c","description":"","strategy":)" + strat +
         R"(,"dataset_ref":"d","expected":{},"expected_hash":")" + kHash + R"("},"data":)" + data + "}";
}

// Zero prices and volumes, high below low, flat bars, negative prices, extremes, time going back.
const char* const kDegenerateCandles =
    "[[0,0,0,0,0,0],[1,0,0,0,0,0],[2,100,99,101,100,0],[3,100,100,100,100,0],[4,100,100,100,100,0],"
    "[5,-5,-1,-10,-2,-1],[6,1e308,1.7976931348623157e308,1e-308,1e308,1e308],[-7,5e-324,5e-324,0,5e-324,5e-324],"
    "[8,100,101,99,100.5,1],[9,100,99,101,100,0],[10,1,2,0.5,1.5,3],[11,1.5,2.5,1,2,0],[12,2,3,1.5,2.5,4],"
    "[13,2.5,2.5,2.5,2.5,0],[14,3,4,2,3.5,5],[15,0,0,0,0,0],[16,4,5,3,4.5,6],[17,4.5,5.5,4,5,7]]";

// The answer is one JSON object; an error answer has exactly "error" and "ok": false.
sorvik::json::Value answer_of(const std::string& command) {
  auto v = sorvik::json::parse(handle_command(command));
  EXPECT_TRUE(v.has_value());
  if (!v) return {};
  EXPECT_TRUE(v->is_object());
  return std::move(*v);
}

std::string error_of(const std::string& command) {
  auto v = answer_of(command);
  const auto* e = v.find("error");
  if (e == nullptr || !e->is_string()) return "";
  return std::string(e->as_string());
}

TEST(Hostile, NestingFarPastTheLimitFailsWithoutRecursing) {
  for (const std::string open : {"[", "{\"a\":"}) {
    std::string text;
    for (int i = 0; i < 1'000'000; ++i) text += open;
    EXPECT_TRUE(error_of(text).starts_with("parse error: recursion limit exceeded at line 1 column")) << open;
  }
}

TEST(Hostile, EveryCommandAnswersOneObjectForTruncatedTexts) {
  // Every prefix of a real run_case command: each is an error, none crashes.
  const std::string full = run_case(strategy(R"({"s":{"type":"Sma","params":[2]}})", R"({"gt":["s",0]})",
                                             R"({"cross_below":["s",{"prev":[{"price":"close"},1]}]})"),
                                    "[[0,1,2,0.5,1.5],[1,1,2,0.5,1.5,2]]");
  EXPECT_EQ(error_of(full), "");
  for (std::size_t n = 0; n < full.size(); ++n) EXPECT_NE(error_of(full.substr(0, n)), "") << n;
}

// Parameters for a catalog type: P = `period` at position `at` (every P when `at` is npos) and
// small distinct periods elsewhere, R = 0.5, I = 0, U = 1.
std::vector<double> params_for(const sorvik::CatalogEntry& e, double period, std::size_t at) {
  std::vector<double> p = sorvik::sample_params(e, 2);
  for (std::size_t i = 0; i < e.signature.size() && i < p.size(); ++i) {
    if (e.signature[i] == 'P' && (at == std::string::npos || at == i)) p[i] = period;
  }
  return p;
}

TEST(Hostile, EveryBuiltTypeAtMaxPeriodBuildsAndUpdatesQuickly) {
  std::vector<sorvik::Candle> candles;
  for (int i = 0; i < 200; ++i) {
    const double b = (i % 9 == 0) ? 0.0 : 100.0 + i % 5;
    candles.push_back({i, b, b + (i % 4 == 0 ? -1.0 : 1.0), b - 1.0, b + 0.5, (i % 3 == 0) ? 0.0 : 10.0});
  }
  std::size_t built = 0;
  for (const sorvik::CatalogEntry& e : sorvik::catalog()) {
    if (!e.built) continue;
    for (std::size_t at = 0; at < e.signature.size(); ++at) {
      if (e.signature[at] != 'P') continue;
      const auto start = std::chrono::steady_clock::now();
      auto made = sorvik::create_indicator(e.name, params_for(e, kMaxPeriod, at));
      if (!made) continue;  // a constraint between parameters refused it
      ++built;
      for (std::size_t i = 0; i < candles.size(); ++i) {
        sorvik::BarContext bar;
        bar.candle = candles[i];
        if ((*made)->update(bar)) (void)(*made)->extra_outputs();
      }
      (void)(*made)->warmup_period();
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      // Work in proportion to the period on every bar (16777216 steps) would take far longer.
      EXPECT_LT(seconds, 1.0) << e.name << " with parameter #" << at << " at MAX_PERIOD, 200 bars";
    }
  }
  EXPECT_GT(built, 0u);
}

TEST(Hostile, EveryBuiltTypeAtOnceOverDegenerateCandles) {
  // One strategy declaring every built type with small periods, every value read by a rule, run
  // over candles whose arithmetic yields zeros, NaNs and infinities: one report, the same twice.
  std::string indicators = "{";
  std::string reads = "[";
  std::size_t n = 0;
  for (const sorvik::CatalogEntry& e : sorvik::catalog()) {
    if (!e.built) continue;
    const std::vector<double> p = sorvik::sample_params(e, 4);
    if (!sorvik::create_indicator(e.name, p)) continue;  // sample periods below the type's minimum
    std::string params = "[";
    for (double x : p) params += (params.size() > 1 ? "," : "") + std::to_string(x);
    params += "]";
    const std::string id = "i" + std::to_string(n++);
    indicators += (indicators.size() > 1 ? "," : "") + ("\"" + id + "\":{\"type\":\"" + std::string(e.name) +
                                                        "\",\"params\":" + params + "}");
    reads += (reads.size() > 1 ? "," : "") + ("{\"gt\":[\"" + id + "\",{\"prev\":[\"" + id + "\",1]}]}");
    for (std::string_view out : e.outputs) reads += ",{\"lt\":[\"" + id + "." + std::string(out) + "\",0]}";
  }
  indicators += "}";
  reads += "]";
  ASSERT_GT(n, 20u);
  const std::string strat = strategy(indicators, "{\"any\":" + reads + "}", "{\"all\":" + reads + "}",
                                     R"(,"short_entry":{"not":{"any":)" + reads + "}}");
  const std::string command = run_case(strat, kDegenerateCandles);
  const std::string first = handle_command(command);
  EXPECT_EQ(first, handle_command(command));
  auto v = sorvik::json::parse(first);
  ASSERT_TRUE(v.has_value());
  const auto* rep = v->find("recomputed");
  ASSERT_NE(rep, nullptr) << first.substr(0, 300);
  EXPECT_EQ(rep->find("equity")->items().size(), 18u);
}

TEST(Hostile, NumbersAtTheBoundariesOfEveryField) {
  struct Row {
    const char* extra;  // appended to the strategy object
    const char* error;  // the expected error text, or "" for a report
  };
  const Row rows[] = {
      {R"(,"warmup":4294967295)", ""},
      {R"(,"warmup":4294967296)", "invalid strategy spec: invalid value: integer `4294967296`, expected u32"},
      {R"(,"warmup":-0)", "invalid strategy spec: invalid type: floating point `-0.0`, expected u32"},
      {R"(,"execution":{"latency_bars":4294967295})", ""},
      {R"(,"costs":{"taker_bps":1e308,"maker_bps":-1e308})", ""},
      {R"(,"risk":{"stop_loss_pct":1e308,"take_profit_pct":-1e308,"trailing_stop_pct":5e-324,"max_leverage":0})", ""},
      {R"(,"risk":{"stop_loss_pct":1e309})", "parse error: number out of range"},
      {R"(,"spec_version":4294967295)", "backtest engine error: invalid strategy spec: spec_version 4294967295 is not supported; this build reads 1..=1"},
  };
  for (const Row& r : rows) {
    const std::string strat = strategy("{}", R"({"all":[]})", R"({"bars_since_entry":{"eq":4294967295}})", r.extra);
    const std::string e = error_of(run_case(strat, kDegenerateCandles));
    if (*r.error == '\0') {
      EXPECT_EQ(e, "") << r.extra;
    } else {
      EXPECT_TRUE(e.starts_with(r.error)) << r.extra << " -> " << e;
    }
  }
}

TEST(Hostile, LookBacksAndLatenciesAtU32MaxStayBoundedByTheCandles) {
  std::string operand = R"({"price":"close"})";
  for (int i = 0; i < 40; ++i) operand = R"({"prev":[)" + operand + ",4294967295]}";
  const std::string strat = strategy("{}", R"({"cross_above":[)" + operand + ",0]}",
                                     R"({"falling":[)" + operand + ",4294967295]}",
                                     R"(,"sizing":{"type":"vol_target","target_vol":1,"lookback":4294967295})");
  EXPECT_EQ(error_of(run_case(strat, kDegenerateCandles)), "");
}

TEST(Hostile, HistoryBeyondItsLimitIsRefusedBeforeTheFirstBar) {
  // A look-back over all the candles times thousands of values read: 8193 bars x 8193 values is
  // just over the 2^26 values a history may hold. Without the limit this small text asks for 512 MiB,
  // and the same shape a few times larger for more memory than the machine has.
  const int n = 8193;
  std::string data = "[";
  for (int i = 0; i < n; ++i) data += (i ? ",[" : "[") + std::to_string(i) + ",1,2,0.5,1.5]";
  data += "]";
  std::string reads = R"([{"gt":[{"prev":["x",8193]},0]})";
  for (int j = 0; j < n - 1; ++j) reads += R"(,{"lt":["x.k)" + std::to_string(j) + R"(",0]})";
  reads += "]";
  const std::string strat = strategy(R"({"x":{"type":"Sma","params":[2]}})", R"({"any":)" + reads + "}", R"({"all":[]})");
  EXPECT_EQ(error_of(run_case(strat, data)),
            "backtest engine error: invalid input data: a history of 8193 bars with 8193 values each exceeds "
            "the limit of 67108864 values");
  // Over fewer candles the same rules keep fewer bars and run.
  EXPECT_EQ(error_of(run_case(strat, "[[0,1,2,0.5,1.5],[1,1,2,0.5,1.5]]")), "");
}

TEST(Hostile, SuiteOfFailingCasesAnswersTheOneError) {
  std::string cases = "[";
  for (int i = 0; i < 500; ++i) {
    const std::string strat = strategy("{}", R"({"gt":["missing",0]})", R"({"all":[]})");
    cases += (i ? "," : "") + (R"({"id":"c)" + std::to_string(i) + R"(","description":"","strategy":)" + strat +
                               R"(,"dataset_ref":"d","expected":{},"expected_hash":")" + kHash + "\"}");
  }
  cases += "]";
  const std::string command =
      R"({"cmd":"run_suite","suite":{"cases":)" + cases + R"(},"datasets":{"d":)" + kDegenerateCandles + "}}";
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(error_of(command), "backtest engine error: rule references undeclared indicator: missing");
  }
}

}  // namespace

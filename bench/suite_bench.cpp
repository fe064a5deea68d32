// Suite runs on the worker pool: eight equal cases over one dataset, run with the pool limited to
// one and to two threads. The command text is read once, outside the timing; what is timed is the
// suite run itself (the candle copies, the backtests, the verdicts and their report hashes).
// Compare the two rows' times for the pool's speed-up.

#include <benchmark/benchmark.h>
#include <tbb/global_control.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "sorvik_benchmark/cases.hpp"
#include "sorvik_benchmark/suite_runner.hpp"
#include "sorvik_json/reader.hpp"

namespace {

using namespace sorvik::runner;

constexpr int CASES = 8;
constexpr int CANDLES = 200'000;

// A strategy of realistic weight: three averages, an oscillator and a band, two crossover rules.
constexpr const char* STRATEGY = R"({
  "symbol": "SYN", "timeframe": "1m",
  "indicators": {
    "fast": {"type": "Ema", "params": [20]},
    "slow": {"type": "Sma", "params": [60]},
    "trend": {"type": "Wma", "params": [200]},
    "rsi": {"type": "Rsi", "params": [14]},
    "bb": {"type": "BollingerBands", "params": [20, 2]}
  },
  "entry": {"all": [{"cross_above": ["fast", "slow"]}, {"gt": ["slow", "trend"]}, {"lt": ["rsi", 80]}]},
  "exit": {"any": [{"cross_below": ["fast", "slow"]}, {"gt": [{"price": "close"}, "bb.upper"]}]},
  "sizing": {"type": "fixed_fraction", "fraction": 0.5},
  "costs": {"taker_bps": 5, "maker_bps": 2}
})";

std::string suite_command() {
  std::string cases;
  for (int i = 0; i < CASES; ++i) {
    if (i > 0) cases += ",";
    cases += R"({"id":"c)" + std::to_string(i) + R"(","description":"","strategy":)" + STRATEGY +
             R"(,"dataset_ref":"syn","expected":{},"expected_hash":")" + std::string(64, '0') + "\"}";
  }
  std::string candles;
  char row[160];
  for (int i = 0; i < CANDLES; ++i) {
    const double p = 100.0 + 10.0 * std::sin(i / 300.0) + 3.0 * std::sin(i / 37.0);
    std::snprintf(row, sizeof row, "%s[%d,%.6f,%.6f,%.6f,%.6f,1000]", i > 0 ? "," : "", i * 60, p - 0.05,
                  p + 0.3, p - 0.35, p);
    candles += row;
  }
  return R"({"cmd":"run_suite","suite":{"name":"bench","cases":[)" + cases + R"(]},"datasets":{"syn":[)" +
         candles + "]}}";
}

const RunSuiteReq& request() {
  static const RunSuiteReq req = [] {
    auto value = sorvik::json::parse(suite_command());
    return std::move(*read_run_suite_req(*value));
  }();
  return req;
}

void BM_RunSuite(benchmark::State& state) {
  const RunSuiteReq& req = request();
  tbb::global_control threads(tbb::global_control::max_allowed_parallelism,
                              static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    auto result = run_suite(req.suite, req.datasets);
    if (!result || result->results.size() != CASES) state.SkipWithError("suite run failed");
    benchmark::DoNotOptimize(result);
  }
  state.counters["cases_per_s"] = benchmark::Counter(CASES, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_RunSuite)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

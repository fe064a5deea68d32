// Throughput of the JSON reader on a run_case command carrying a million candles, and of the
// canonical writer on a report value carrying a million equity points.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <string>
#include <string_view>

#include "sorvik_benchmark/canonical.hpp"
#include "sorvik_benchmark/cases.hpp"
#include "sorvik_benchmark/report_hash.hpp"
#include "sorvik_json/reader.hpp"

namespace {

using sorvik::json::Value;

constexpr std::size_t kCandles = 1'000'000;

const std::string& run_case_command() {
  static const std::string text = [] {
    std::string s = R"({"cmd":"run_case","case":{"id":"c","description":"d","strategy":{},"dataset_ref":"x",)"
                    R"("expected":{},"expected_hash":")" +
                    std::string(64, '0') + R"("},"data":[)";
    s.reserve(70 * kCandles);
    double price = 100.0;
    for (std::size_t i = 0; i < kCandles; ++i) {
      price += std::sin(static_cast<double>(i) * 0.01) * 0.37;
      if (i > 0) s += ',';
      s += "{\"time\":" + std::to_string(1700000000000 + 60000 * static_cast<long long>(i));
      char buf[200];
      std::snprintf(buf, sizeof buf, ",\"open\":%.2f,\"high\":%.2f,\"low\":%.2f,\"close\":%.2f,\"volume\":%.3f}", price,
                    price + 0.5, price - 0.5, price + 0.12, 1000.0 + static_cast<double>(i % 977) * 1.25);
      s += buf;
    }
    s += "]}";
    return s;
  }();
  return text;
}

Value report_value() {
  sorvik::json::ArrayBuilder curve;
  curve.reserve(kCandles);
  double equity = 10000.0;
  for (std::size_t i = 0; i < kCandles; ++i) {
    equity *= 1.0 + std::sin(static_cast<double>(i) * 0.001) * 1e-4;
    sorvik::json::ObjectBuilder p;
    p.add("time", Value::i64(1700000000000 + 60000 * static_cast<long long>(i)));
    p.add("equity", Value::f64(equity));
    p.add("drawdown", Value::f64(equity / 10000.0 - 1.0));
    curve.push(std::move(p).build());
  }
  sorvik::json::ObjectBuilder r;
  r.add("symbol", Value::string("BTCUSDT"));
  r.add("equity_curve", std::move(curve).build());
  r.add("trades", Value::array(std::vector<Value>{}));
  return std::move(r).build();
}

void BM_ReaderRunCaseCommand(benchmark::State& state) {
  const std::string& text = run_case_command();
  for (auto _ : state) {
    auto v = sorvik::json::parse(text);
    benchmark::DoNotOptimize(v);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReaderRunCaseCommand)->Unit(benchmark::kMillisecond);

void BM_ReaderAndRecordsRunCaseCommand(benchmark::State& state) {
  const std::string& text = run_case_command();
  for (auto _ : state) {
    auto v = sorvik::json::parse(text);
    auto req = sorvik::runner::read_run_case_req(*v);
    benchmark::DoNotOptimize(req);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReaderAndRecordsRunCaseCommand)->Unit(benchmark::kMillisecond);

void BM_WriterReport(benchmark::State& state) {
  const Value report = report_value();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = sorvik::runner::canonical_text(report);
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WriterReport)->Unit(benchmark::kMillisecond);

void BM_ReportHash(benchmark::State& state) {
  const Value report = report_value();
  const std::size_t bytes = sorvik::runner::canonical_text(report).size();
  for (auto _ : state) {
    auto h = sorvik::runner::report_hash(report);
    benchmark::DoNotOptimize(h);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_ReportHash)->Unit(benchmark::kMillisecond);

}  // namespace

// With --warm-allocator the allocator keeps freed pages, so repeated iterations measure the reader and
// writer themselves rather than the cost of faulting fresh pages in (which dominates on some sandboxes).
int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--warm-allocator") {
      mallopt(M_MMAP_THRESHOLD, 1 << 30);
      mallopt(M_TRIM_THRESHOLD, 1 << 30);
      for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
      --argc;
      break;
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

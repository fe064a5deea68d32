// The bar loop alone: three moving averages and a crossover rule over synthetic candles, without
// reading JSON or writing the report. Reported as bars per second.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "sorvik_backtest/engine.hpp"

namespace {

namespace st = sorvik::strategy;
namespace bt = sorvik::backtest;
using K = st::Condition::Kind;

std::vector<sorvik::Candle> make_candles(std::size_t n) {
  std::vector<sorvik::Candle> out;
  out.reserve(n);
  std::uint64_t x = 0x9E3779B97F4A7C15ull;
  double price = 100.0;
  for (std::size_t i = 0; i < n; ++i) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    const double step = (static_cast<double>(x >> 11) / 9007199254740992.0 - 0.5) * 0.02;
    const double open = price;
    price = price * (1.0 + step);
    const double high = std::max(open, price) * 1.002;
    const double low = std::min(open, price) * 0.998;
    out.push_back({static_cast<std::int64_t>(i), open, high, low, price, 1000.0});
  }
  return out;
}

st::StrategySpec crossover_strategy() {
  st::StrategySpec s;
  s.symbol = "BENCH";
  s.timeframe = "1m";
  s.indicators["fast"] = st::IndicatorSpec{"Sma", {10}, std::nullopt};
  s.indicators["slow"] = st::IndicatorSpec{"Ema", {30}, std::nullopt};
  s.indicators["trend"] = st::IndicatorSpec{"Wma", {20}, std::nullopt};
  s.entry = st::Condition::list(
      K::All, {st::Condition::compare(K::CrossAbove, st::Operand::ref("fast"), st::Operand::ref("slow")),
               st::Condition::compare(K::Gt, st::Operand::field(st::PriceField::Close),
                                      st::Operand::ref("trend"))});
  s.exit = st::Condition::compare(K::CrossBelow, st::Operand::ref("fast"), st::Operand::ref("slow"));
  s.sizing = st::sizing::FixedFraction{0.5};
  s.costs.taker_bps = 5;
  return s;
}

void BM_BarLoop(benchmark::State& state) {
  const auto candles = make_candles(static_cast<std::size_t>(state.range(0)));
  const st::StrategySpec spec = crossover_strategy();
  if (!st::validate(spec)) {
    state.SkipWithError("strategy does not validate");
    return;
  }
  std::size_t trades = 0;
  for (auto _ : state) {
    auto indicators = bt::build_indicators(spec);
    if (!indicators) {
      state.SkipWithError(indicators.error().display().c_str());
      return;
    }
    bt::BarLoop loop(spec, std::move(*indicators), candles.size());
    for (const sorvik::Candle& c : candles) loop.step(c);
    bt::BacktestReport r = loop.finish();
    trades = r.trades.size();
    benchmark::DoNotOptimize(r.metrics.pnl);
  }
  const double bars = static_cast<double>(state.iterations()) * static_cast<double>(candles.size());
  state.SetItemsProcessed(static_cast<std::int64_t>(bars));
  state.counters["bars_per_second"] = benchmark::Counter(bars, benchmark::Counter::kIsRate);
  state.counters["trades"] = static_cast<double>(trades);
}
BENCHMARK(BM_BarLoop)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Cost of one BarIndicator::update for every built indicator type, created through the factory and
// driven over 1,000,000 synthetic bars (one benchmark iteration = one bar, so the reported time is
// nanoseconds per update). The list grows by itself as families register their types.
//
// Run: indicators_bench [--benchmark_filter=Sma$]

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sorvik/factory.hpp"

namespace {

using namespace sorvik;

constexpr std::size_t BARS = 1'000'000;
constexpr std::size_t POOL = 1024;  // distinct trade lists, books, ticks and cross-sections

/// A deterministic random walk of valid candles plus pools of the other bar parts.
struct Market {
  std::vector<Candle> candles;
  std::vector<double> reference;
  std::vector<std::vector<Trade>> trades;
  std::vector<OrderBook> books;
  std::vector<DerivativesTick> ticks;
  std::vector<CrossSection> sections;

  Market() {
    std::uint64_t s = 0x9E3779B97F4A7C15ull;
    auto next = [&s] {  // xorshift64*, uniform in [0, 1)
      s ^= s >> 12;
      s ^= s << 25;
      s ^= s >> 27;
      return static_cast<double>((s * 0x2545F4914F6CDD1Dull) >> 11) * 0x1.0p-53;
    };
    candles.reserve(BARS);
    reference.reserve(BARS);
    double price = 100.0;
    double ref = 50.0;
    for (std::size_t i = 0; i < BARS; ++i) {
      const double open = price;
      price = std::max(1.0, price * (1.0 + (next() - 0.5) * 0.02));
      ref = std::max(1.0, ref * (1.0 + (next() - 0.5) * 0.02));
      const double high = std::max(open, price) * (1.0 + next() * 0.005);
      const double low = std::min(open, price) * (1.0 - next() * 0.005);
      candles.push_back(Candle{static_cast<std::int64_t>(i) * 60'000, open, high, low, price, 1000.0 + next() * 500.0});
      reference.push_back(ref);
    }
    for (std::size_t i = 0; i < POOL; ++i) {
      const double mid = 100.0 + next();
      std::vector<Trade> t;
      for (int k = 0, m = 1 + static_cast<int>(next() * 3); k < m; ++k) {
        t.push_back(Trade{mid + (next() - 0.5) * 0.1, next() * 10.0, static_cast<std::int64_t>(i),
                          next() < 0.5 ? Side::Buy : Side::Sell});
      }
      trades.push_back(std::move(t));
      OrderBook b;
      for (int k = 0; k < 5; ++k) {
        b.bids.push_back({mid - 0.01 * (k + 1), 1.0 + next() * 5.0});
        b.asks.push_back({mid + 0.01 * (k + 1), 1.0 + next() * 5.0});
      }
      books.push_back(std::move(b));
      ticks.push_back(DerivativesTick{0.0001 * (next() - 0.5), mid, mid * (1.0 + 0.001 * (next() - 0.5)),
                                      mid * 1.01, 1e6 + next() * 1e4, 500 + next() * 10, 500 + next() * 10,
                                      100 + next() * 10, 100 + next() * 10, next(), next()});
      CrossSection cs;
      for (int k = 0; k < 20; ++k) {
        cs.entries.push_back({next() - 0.5, 100.0 * next(), next() < 0.1, next() < 0.1, next() < 0.5, next() < 0.5});
      }
      sections.push_back(std::move(cs));
    }
  }
};

const Market& market() {
  static const Market m;
  return m;
}

/// The harness alone: a virtual update that answers the close. Subtract it to see a type's own cost.
class Baseline final : public BarIndicator {
 public:
  std::optional<double> update(const BarContext& bar) override { return bar.candle.close; }
  std::span<const NamedValue> extra_outputs() const override { return {}; }
  std::uint64_t warmup_period() const override { return 1; }
};

void run_type(benchmark::State& state, std::string_view name, FeedKind feed, const std::vector<double>& params) {
  const Market& m = market();
  std::unique_ptr<BarIndicator> owned;
  if (name == "_Baseline") {
    owned = std::make_unique<Baseline>();
  } else {
    auto made = create_indicator(name, params);
    if (!made) {
      state.SkipWithError(made.error().display().c_str());
      return;
    }
    owned = std::move(*made);
  }
  BarIndicator& ind = *owned;
  // Kline types get the candle and the reference value (pair types read it); the other feeds also get
  // their part of the bar, cycling through a pool.
  BarContext ctx;
  std::size_t i = 0;
  if (feed == FeedKind::Kline) {
    for (auto _ : state) {
      ctx.candle = m.candles[i];
      ctx.reference = m.reference[i];
      auto v = ind.update(ctx);
      benchmark::DoNotOptimize(v);
      if (++i == BARS) i = 0;
    }
  } else {
    for (auto _ : state) {
      const std::size_t k = i & (POOL - 1);
      ctx.candle = m.candles[i];
      ctx.reference = m.reference[i];
      ctx.trades = m.trades[k];
      ctx.order_book = &m.books[k];
      ctx.derivatives = &m.ticks[k];
      ctx.cross_section = &m.sections[k];
      auto v = ind.update(ctx);
      benchmark::DoNotOptimize(v);
      if (++i == BARS) i = 0;
    }
  }
  // Whether the type answered at all over the series (outside the timing).
  std::uint64_t answered = 0;
  for (std::size_t j = 0; j < 1000; ++j) {
    const std::size_t k = j & (POOL - 1);
    ctx.candle = m.candles[j];
    ctx.reference = m.reference[j];
    ctx.trades = m.trades[k];
    ctx.order_book = &m.books[k];
    ctx.derivatives = &m.ticks[k];
    ctx.cross_section = &m.sections[k];
    answered += ind.update(ctx).has_value();
  }
  state.counters["answered_of_next_1000"] = static_cast<double>(answered);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("_Baseline", [](benchmark::State& st) { run_type(st, "_Baseline", FeedKind::Kline, {}); })
      ->Iterations(BARS)
      ->Unit(benchmark::kNanosecond);
  for (const CatalogEntry& c : catalog()) {
    if (!c.built) continue;
    const std::string name(c.name);
    const auto params = sample_params(c, 14);
    const FeedKind feed = c.feed;
    benchmark::RegisterBenchmark(name.c_str(), [name, feed, params](benchmark::State& st) {
      run_type(st, name, feed, params);
    })->Iterations(BARS)->Unit(benchmark::kNanosecond);
  }
  market();  // build the data outside the timings
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The adapters per input kind, driven with small probe types registered the way a family registers
// its types.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "registration.hpp"

namespace sorvik {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct PairProbe {
  static Expected<PairProbe> create(std::uint64_t) { return PairProbe{}; }
  std::optional<double> update(PairInput p) { return p.x - p.y; }
  std::uint64_t warmup_period() const { return 7; }
};
struct TradeProbe {
  static Expected<TradeProbe> create() { return TradeProbe{}; }
  std::optional<double> update(std::span<const Trade> t) {
    total += static_cast<double>(t.size());
    return total;
  }
  std::uint64_t warmup_period() const { return 1; }
  double total = 0;
};
struct BookProbe {
  static Expected<BookProbe> create() { return BookProbe{}; }
  std::optional<double> update(const OrderBook& b) { return static_cast<double>(b.bids.size() + b.asks.size()); }
  std::uint64_t warmup_period() const { return 1; }
};
struct QuoteProbe {
  static Expected<QuoteProbe> create() { return QuoteProbe{}; }
  std::optional<double> update(TradeQuote q) { return q.book != nullptr ? q.trades.back().price : q.close; }
  std::uint64_t warmup_period() const { return 1; }
};
struct TickProbe {
  static Expected<TickProbe> create() { return TickProbe{}; }
  std::optional<double> update(const DerivativesTick& t) { return t.funding_rate; }
  std::uint64_t warmup_period() const { return 1; }
};
struct CrossProbe {
  static Expected<CrossProbe> create() { return CrossProbe{}; }
  std::optional<double> update(const CrossSection& c) { return static_cast<double>(c.entries.size()); }
  std::uint64_t warmup_period() const { return 1; }
};
struct ContextProbe {
  static Expected<ContextProbe> create(double, std::int32_t, std::uint32_t) { return ContextProbe{}; }
  std::optional<double> update(const BarContext& b) { return b.candle.volume; }
  std::uint64_t warmup_period() const { return 3; }
};
/// Named outputs; yields only on even closes.
struct MultiProbe {
  static constexpr std::array<std::string_view, 3> output_names{"a", "b", "c"};
  static Expected<MultiProbe> create(std::uint64_t n) {
    if (n > 5) return fail(IndicatorError::invalid_parameter("n too large"));
    return MultiProbe{};
  }
  std::optional<std::array<double, 3>> update(double x) {
    if (std::fmod(x, 2.0) != 0.0) return std::nullopt;
    return std::array<double, 3>{x, x + 1, x + 2};
  }
  std::uint64_t warmup_period() const { return 2; }
};
struct StatelessProbe {
  static constexpr bool stateless = true;
  static Expected<StatelessProbe> create() { return StatelessProbe{}; }
  static std::optional<double> update(const Candle& c) { return c.high - c.low; }
};

using detail::entry;
using detail::ParamValue;
using detail::RegistryEntry;

std::unique_ptr<BarIndicator> build(const RegistryEntry& e, std::vector<ParamValue> p = {}) {
  auto made = e.create(p);
  EXPECT_TRUE(made.has_value());
  return std::move(*made);
}

BarContext bar(double close, double volume = 1.0) {
  BarContext ctx;
  ctx.candle = Candle{0, close, close + 1, close - 1, close, volume};
  return ctx;
}

TEST(AdapterKinds, DeducedSignatureFeedAndOutputs) {
  static constexpr RegistryEntry rows[] = {
      entry<PairProbe>("PairProbe"),   entry<TradeProbe>("TradeProbe"),
      entry<BookProbe>("BookProbe"),   entry<QuoteProbe>("QuoteProbe"),
      entry<TickProbe>("TickProbe"),   entry<CrossProbe>("CrossProbe"),
      entry<ContextProbe>("ContextProbe", FeedKind::Derivatives),
      entry<MultiProbe>("MultiProbe"), entry<StatelessProbe>("StatelessProbe"),
  };
  const std::pair<FeedKind, std::string_view> expected[] = {
      {FeedKind::Kline, "P"},        {FeedKind::Trade, ""},        {FeedKind::Orderbook, ""},
      {FeedKind::TradeQuote, ""},    {FeedKind::Derivatives, ""},  {FeedKind::CrossSection, ""},
      {FeedKind::Derivatives, "RIU"}, {FeedKind::Kline, "P"},      {FeedKind::Kline, ""},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(rows[i].feed, expected[i].first) << rows[i].name;
    EXPECT_EQ(rows[i].signature_text(), expected[i].second) << rows[i].name;
  }
  ASSERT_EQ(rows[7].outputs.size(), 3u);
  EXPECT_EQ(rows[7].outputs[2], "c");
  EXPECT_TRUE(rows[0].outputs.empty());
}

TEST(AdapterKinds, PairNeedsAFiniteReferenceAndClose) {
  auto ind = build(entry<PairProbe>("PairProbe"), {ParamValue{}});
  EXPECT_EQ(ind->warmup_period(), 7u);
  EXPECT_FALSE(ind->update(bar(10)).has_value());  // no reference
  BarContext b = bar(10);
  b.reference = NaN;
  EXPECT_FALSE(ind->update(b).has_value());
  b.reference = 4.0;
  EXPECT_EQ(ind->update(b), 6.0);
  b.candle.close = NaN;
  EXPECT_FALSE(ind->update(b).has_value());
}

TEST(AdapterKinds, TradesNeedANonEmptyValidList) {
  auto ind = build(entry<TradeProbe>("TradeProbe"));
  BarContext b = bar(10);
  EXPECT_FALSE(ind->update(b).has_value());
  const std::vector<Trade> good = {{10, 1, 0, Side::Buy}, {10.5, 2, 1, Side::Sell}};
  b.trades = good;
  EXPECT_EQ(ind->update(b), 2.0);
  // One invalid print rejects the whole bar and changes nothing.
  const std::vector<Trade> bad = {{10, 1, 0, Side::Buy}, {10, -1, 1, Side::Sell}};
  b.trades = bad;
  EXPECT_FALSE(ind->update(b).has_value());
  b.trades = good;
  EXPECT_EQ(ind->update(b), 4.0);
}

TEST(AdapterKinds, BookTickAndCrossSectionNeedTheirPart) {
  auto book = build(entry<BookProbe>("BookProbe"));
  auto tick = build(entry<TickProbe>("TickProbe"));
  auto cross = build(entry<CrossProbe>("CrossProbe"));
  BarContext b = bar(10);
  EXPECT_FALSE(book->update(b).has_value());
  EXPECT_FALSE(tick->update(b).has_value());
  EXPECT_FALSE(cross->update(b).has_value());
  const OrderBook ob{{{9, 1}}, {{11, 1}, {12, 1}}};
  DerivativesTick dt{};
  dt.funding_rate = 0.001;
  const CrossSection cs{{{1, 1, false, false, false, false}}};
  b.order_book = &ob;
  b.derivatives = &dt;
  b.cross_section = &cs;
  EXPECT_EQ(book->update(b), 3.0);
  EXPECT_EQ(tick->update(b), 0.001);
  EXPECT_EQ(cross->update(b), 1.0);
  const OrderBook bad_book{{{NaN, 1}}, {}};
  DerivativesTick bad_tick{};
  bad_tick.mark_price = NaN;
  const CrossSection bad_cs{{{NaN, 1, false, false, false, false}}};
  b.order_book = &bad_book;
  b.derivatives = &bad_tick;
  b.cross_section = &bad_cs;
  EXPECT_FALSE(book->update(b).has_value());
  EXPECT_FALSE(tick->update(b).has_value());
  EXPECT_FALSE(cross->update(b).has_value());
}

TEST(AdapterKinds, TradeQuoteGetsTradesBookAndClose) {
  auto ind = build(entry<QuoteProbe>("QuoteProbe"));
  BarContext b = bar(10);
  EXPECT_FALSE(ind->update(b).has_value());  // no trades
  const std::vector<Trade> trades = {{10, 1, 0, Side::Buy}, {10.25, 1, 0, Side::Buy}};
  b.trades = trades;
  EXPECT_EQ(ind->update(b), 10.0);  // no book: the close
  const OrderBook ob{{{9, 1}}, {{11, 1}}};
  b.order_book = &ob;
  EXPECT_EQ(ind->update(b), 10.25);
}

TEST(AdapterKinds, NamedOutputsCarryEveryFieldAndSurviveSilentBars) {
  const RegistryEntry e = entry<MultiProbe>("MultiProbe");
  auto failed = e.create(std::vector<ParamValue>{ParamValue{9, 0, 0, 0}});
  ASSERT_FALSE(failed.has_value());
  EXPECT_EQ(failed.error().display(), "invalid parameter: n too large");
  auto ind = build(e, {ParamValue{2, 0, 0, 0}});
  EXPECT_TRUE(ind->extra_outputs().empty());  // nothing yielded yet
  EXPECT_FALSE(ind->update(bar(3)).has_value());
  EXPECT_TRUE(ind->extra_outputs().empty());
  EXPECT_EQ(ind->update(bar(4)), 4.0);  // the first field is the primary value
  const std::vector<NamedValue> expected = {{"a", 4}, {"b", 5}, {"c", 6}};
  EXPECT_EQ(std::vector<NamedValue>(ind->extra_outputs().begin(), ind->extra_outputs().end()), expected);
  EXPECT_FALSE(ind->update(bar(5)).has_value());
  EXPECT_EQ(std::vector<NamedValue>(ind->extra_outputs().begin(), ind->extra_outputs().end()), expected);
}

TEST(AdapterKinds, StatelessAndRawContextTypes) {
  auto s = build(entry<StatelessProbe>("StatelessProbe"));
  EXPECT_EQ(s->warmup_period(), 1u);
  EXPECT_EQ(s->update(bar(10)), 2.0);
  BarContext bad = bar(10);
  bad.candle.low = 11;  // high 11 is not below low 11, but close 10 is below the low
  EXPECT_FALSE(s->update(bad).has_value());
  auto c = build(entry<ContextProbe>("ContextProbe", FeedKind::Derivatives), {ParamValue{}, ParamValue{}, ParamValue{}});
  EXPECT_EQ(c->warmup_period(), 3u);
  EXPECT_EQ(c->update(bar(10, 42)), 42.0);
}

}  // namespace
}  // namespace sorvik

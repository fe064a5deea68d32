// The microstructure indicators: measures of the bar's order-book snapshot, of its trades, and of
// trades against the quotes.

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "indicators/microstructure/amihud_illiquidity.hpp"
#include "indicators/microstructure/cumulative_volume_delta.hpp"
#include "indicators/microstructure/depth_slope.hpp"
#include "indicators/microstructure/effective_spread.hpp"
#include "indicators/microstructure/kyles_lambda.hpp"
#include "indicators/microstructure/microprice.hpp"
#include "indicators/microstructure/order_book_imbalance_full.hpp"
#include "indicators/microstructure/order_book_imbalance_top1.hpp"
#include "indicators/microstructure/order_book_imbalance_top_n.hpp"
#include "indicators/microstructure/order_flow_imbalance.hpp"
#include "indicators/microstructure/pin.hpp"
#include "indicators/microstructure/quoted_spread.hpp"
#include "indicators/microstructure/realized_spread.hpp"
#include "indicators/microstructure/roll_measure.hpp"
#include "indicators/microstructure/signed_volume.hpp"
#include "indicators/microstructure/trade_imbalance.hpp"
#include "indicators/microstructure/trade_sign_autocorrelation.hpp"
#include "indicators/microstructure/vpin.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double TINY = 2.220446049250313e-16;  // read by the factory as a positive integer 0

using Trades = std::vector<Trade>;

Trade buy(double price, double size) { return Trade{price, size, 0, Side::Buy}; }
Trade sell(double price, double size) { return Trade{price, size, 0, Side::Sell}; }

/// A bar with the given close and, when given, trades and a book (both must outlive the updates).
BarContext bar(double close, const Trades* trades = nullptr, const OrderBook* book = nullptr) {
  BarContext ctx;
  const double c = std::isfinite(close) ? close : 1.0;
  ctx.candle = Candle{0, c, c, c, close, 1.0};
  if (trades != nullptr) ctx.trades = *trades;
  ctx.order_book = book;
  return ctx;
}

/// Feeds each bar's trades to a trade member and collects the answers.
template <class T>
std::vector<std::optional<double>> run(T& ind, const std::vector<Trades>& bars) {
  std::vector<std::optional<double>> out;
  for (const Trades& t : bars) out.push_back(ind.update(std::span<const Trade>(t)));
  return out;
}

// ---------------------------------------------------------------------------------------------------
// Construction, warm-up and feed through the factory

TEST(Microstructure, ConstructorChecksInOrder) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* message;  // the constructor's display text; nullptr: builds
  };
  const char* max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const char* zero = "period must be greater than zero";
  const char* bucket = "invalid parameter: VPIN bucket_volume must be finite and positive";
  const Case cases[] = {
      {"OrderBookImbalanceTop1", {}, nullptr},
      {"OrderBookImbalanceFull", {}, nullptr},
      {"QuotedSpread", {}, nullptr},
      {"Microprice", {}, nullptr},
      {"DepthSlope", {}, nullptr},
      {"SignedVolume", {}, nullptr},
      {"CumulativeVolumeDelta", {}, nullptr},
      {"EffectiveSpread", {}, nullptr},
      // levels only refuses zero: it sizes no storage
      {"OrderBookImbalanceTopN", {TINY}, zero},
      {"OrderBookImbalanceTopN", {1}, nullptr},
      {"OrderBookImbalanceTopN", {1e19}, nullptr},
      {"OrderFlowImbalance", {TINY}, zero},
      {"OrderFlowImbalance", {16777217}, max},
      {"OrderFlowImbalance", {16777216}, nullptr},
      {"TradeImbalance", {TINY}, zero},
      {"TradeImbalance", {16777217}, max},
      {"TradeImbalance", {16777216}, nullptr},
      {"Pin", {TINY}, zero},
      {"Pin", {16777217}, max},
      {"Pin", {16777216}, nullptr},
      {"AmihudIlliquidity", {TINY}, zero},
      {"AmihudIlliquidity", {16777217}, max},
      {"AmihudIlliquidity", {16777216}, nullptr},
      {"RealizedSpread", {TINY}, zero},
      {"RealizedSpread", {16777217}, max},
      {"RealizedSpread", {16777216}, nullptr},
      // a minimum with its own message (a zero gives that message too), then MAX_PERIOD
      {"TradeSignAutocorrelation", {TINY}, "invalid period: trade-sign autocorrelation needs period >= 2"},
      {"TradeSignAutocorrelation", {1}, "invalid period: trade-sign autocorrelation needs period >= 2"},
      {"TradeSignAutocorrelation", {16777217}, max},
      {"TradeSignAutocorrelation", {2}, nullptr},
      {"RollMeasure", {2}, "invalid period: Roll measure needs period >= 3"},
      {"RollMeasure", {16777217}, max},
      {"RollMeasure", {3}, nullptr},
      {"KylesLambda", {1}, "invalid period: kyle's lambda needs window >= 2"},
      {"KylesLambda", {16777217}, max},
      {"KylesLambda", {2}, nullptr},
      // bucket_volume is checked before buckets
      {"Vpin", {0, TINY}, bucket},
      {"Vpin", {-0.0, 1}, bucket},
      {"Vpin", {-5, 1}, bucket},
      {"Vpin", {10, TINY}, zero},
      {"Vpin", {10, 16777217}, max},
      {"Vpin", {1e-300, 16777216}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " #" << (&c - cases));
    auto made = create_indicator(c.name, c.params);
    if (c.message == nullptr) {
      EXPECT_TRUE(made.has_value()) << made.error().display();
    } else {
      ASSERT_FALSE(made.has_value());
      EXPECT_EQ(made.error().display(),
                std::string("invalid parameters for indicator ") + c.name + ": " + c.message);
    }
  }
  // A bucket volume that is not finite is refused by the constructor as well (the factory already
  // refuses it as a parameter).
  for (double v : {NaN, Inf, -Inf}) {
    auto made = Vpin::create(v, 1);
    ASSERT_FALSE(made.has_value());
    EXPECT_EQ(made.error().display(), "invalid parameter: VPIN bucket_volume must be finite and positive");
  }
}

struct Built {
  const char* name;
  std::vector<double> params;
  FeedKind feed;
  std::uint64_t warmup;
};

const Built BUILT[] = {
    {"OrderBookImbalanceTop1", {}, FeedKind::Orderbook, 1},
    {"OrderBookImbalanceTopN", {3}, FeedKind::Orderbook, 1},
    {"OrderBookImbalanceFull", {}, FeedKind::Orderbook, 1},
    {"QuotedSpread", {}, FeedKind::Orderbook, 1},
    {"Microprice", {}, FeedKind::Orderbook, 1},
    {"DepthSlope", {}, FeedKind::Orderbook, 1},
    {"OrderFlowImbalance", {4}, FeedKind::Orderbook, 5},
    {"SignedVolume", {}, FeedKind::Trade, 1},
    {"CumulativeVolumeDelta", {}, FeedKind::Trade, 1},
    {"TradeImbalance", {4}, FeedKind::Trade, 4},
    {"Pin", {4}, FeedKind::Trade, 4},
    {"TradeSignAutocorrelation", {4}, FeedKind::Trade, 4},
    {"RollMeasure", {4}, FeedKind::Trade, 5},
    {"AmihudIlliquidity", {4}, FeedKind::Trade, 5},
    {"Vpin", {10, 4}, FeedKind::Trade, 1},
    {"EffectiveSpread", {}, FeedKind::TradeQuote, 1},
    {"RealizedSpread", {4}, FeedKind::TradeQuote, 5},
    {"KylesLambda", {4}, FeedKind::TradeQuote, 5},
};

TEST(Microstructure, EveryMemberIsBuiltWithItsFeedAndWarmup) {
  for (const Built& b : BUILT) {
    SCOPED_TRACE(b.name);
    const CatalogEntry* entry = find_catalog_entry(b.name);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->built);
    EXPECT_EQ(entry->feed, b.feed);
    EXPECT_TRUE(entry->outputs.empty());  // no member publishes named outputs
    auto made = create_indicator(b.name, b.params);
    ASSERT_TRUE(made.has_value()) << made.error().display();
    EXPECT_EQ((*made)->warmup_period(), b.warmup);
  }
  auto max = create_indicator("KylesLambda", std::vector<double>{16777216});
  ASSERT_TRUE(max.has_value());
  EXPECT_EQ((*max)->warmup_period(), 16777217u);
}

/// With one trade and a two-sided book per bar, the first bar that yields is the warm-up for every
/// member except Vpin (its window counts completed buckets) and RollMeasure (it answers once `period`
/// prices are held, one trade before its declared warm-up).
TEST(Microstructure, FirstAnswerWithOneTradePerBar) {
  for (const Built& b : BUILT) {
    SCOPED_TRACE(b.name);
    auto made = create_indicator(b.name, b.params);
    ASSERT_TRUE(made.has_value());
    BarIndicator& ind = **made;
    std::uint64_t first = 0;
    for (int i = 1; i <= 40 && first == 0; ++i) {
      const double mid = 100.0 + std::sin(i * 0.7);
      const OrderBook book{{{mid - 0.05, 1.0 + i % 3}, {mid - 0.1, 2.0}}, {{mid + 0.05, 2.0 + i % 2}, {mid + 0.1, 1.0}}};
      const Trades t = {i % 3 == 0 ? sell(mid - 0.04, 2.5) : buy(mid + 0.03 * (i % 4), 2.5)};
      if (ind.update(bar(mid, &t, &book))) first = static_cast<std::uint64_t>(i);
      EXPECT_TRUE(ind.extra_outputs().empty());
    }
    const std::string name = b.name;
    const std::uint64_t want = name == "Vpin" ? 16 : name == "RollMeasure" ? 4 : b.warmup;  // 4 buckets of 10
    EXPECT_EQ(first, want);
  }
}

/// A run built from candles alone (no trades, no book) never sees a value from this family.
TEST(Microstructure, CandlesAloneNeverYield) {
  for (const Built& b : BUILT) {
    SCOPED_TRACE(b.name);
    auto made = create_indicator(b.name, b.params);
    ASSERT_TRUE(made.has_value());
    for (int i = 0; i < 50; ++i) EXPECT_FALSE((*made)->update(bar(100.0 + i)).has_value());
  }
}

// ---------------------------------------------------------------------------------------------------
// Book members

TEST(Microstructure, BookMembersByHand) {
  struct Case {
    const char* what;
    OrderBook book;
    double top1, top2, full, quoted, micro, slope;
  };
  const double spread_bps = (101.0 - 99.0) / 100.0 * 10000.0;  // 200 bp of the mid
  const Case cases[] = {
      // B = 10, A = 11 in all; bids x = 1, 2, 3 with cumulative sizes 3, 8, 10: slope (3·49 − 6·21)/(3·14 − 6²) = 21/6 = 3.5;
      // asks with 1, 5, 11: (3·44 − 6·17)/6 = 5; their midpoint 4.25
      {"three levels", {{{99, 3}, {98, 5}, {97, 2}}, {{101, 1}, {102, 4}, {103, 6}}},
       0.5, 3.0 / 13.0, -1.0 / 21.0, spread_bps, 100.5, 4.25},
      // an empty side: 0 where the members say so; TopN and Full weigh what is there
      {"no asks", {{{99, 2}, {98, 1}}, {}}, 0.0, 1.0, 1.0, 0.0, 0.0, 0.0},
      {"no bids", {{}, {{101, 2}}}, 0.0, -1.0, -1.0, 0.0, 0.0, 0.0},
      {"empty book", {{}, {}}, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
      // zero best sizes: Top1 0, Microprice the plain mid; slopes (2·2 − 3·1)/1 = 1 and (2·6 − 3·3)/1 = 3
      {"zero best sizes", {{{99, 0}, {98, 1}}, {{101, 0}, {102, 3}}}, 0.0, -0.5, -0.5, spread_bps, 100.0, 2.0},
      // one level a side: DepthSlope 0
      {"one level", {{{99, 2}}, {{101, 2}}}, 0.0, 0.0, 0.0, spread_bps, 100.0, 0.0},
      // every size 0: the imbalances are 0
      {"no size", {{{99, 0}, {98, 0}}, {{101, 0}, {102, 0}}}, 0.0, 0.0, 0.0, spread_bps, 100.0, 0.0},
      // two bid levels at one price: that side's denominator is 0, its slope 0; asks give 1
      {"flat bids", {{{99, 1}, {99, 2}}, {{101, 1}, {102, 1}}}, 0.0, 1.0 / 5.0, 1.0 / 5.0, spread_bps, 100.0, 0.5},
      // the deeper levels beyond TopN's two are ignored by it: TopN (2 − 4)/6, Full (10 − 4)/14;
      // slopes (3·35 − 6·13)/6 = 4.5 and (2·9 − 3·5)/1 = 3
      {"deep", {{{99, 1}, {98, 1}, {97, 8}}, {{101, 1}, {102, 3}}}, 0.0, -2.0 / 6.0, 6.0 / 14.0, spread_bps,
       100.0, 3.75},
  };
  const OrderBookImbalanceTopN top2(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(OrderBookImbalanceTop1::update(c.book), c.top1);
    EXPECT_EQ(top2.update(c.book), c.top2);
    EXPECT_EQ(OrderBookImbalanceFull::update(c.book), c.full);
    EXPECT_EQ(QuotedSpread::update(c.book), c.quoted);
    EXPECT_EQ(Microprice::update(c.book), c.micro);
    EXPECT_EQ(DepthSlope::update(c.book), c.slope);
  }
  EXPECT_NEAR(spread_bps, 200.0, 1e-9);
  // Microprice leans towards the side with less size: (Qb·Pa + Qa·Pb)/(Qb + Qa).
  const OrderBook lean{{{99.5, 1}}, {{100.5, 3}}};
  EXPECT_EQ(Microprice::update(lean), (1.0 * 100.5 + 3.0 * 99.5) / 4.0);
  EXPECT_EQ(Microprice::update(lean), 99.75);
}

TEST(Microstructure, OrderFlowImbalanceByHand) {
  auto book = [](double pb, double qb, double pa, double qa) { return OrderBook{{{pb, qb}}, {{pa, qa}}}; };
  OrderFlowImbalance ofi(2);
  EXPECT_EQ(ofi.warmup_period(), 3u);
  // The first two-sided book only stores its quotes.
  EXPECT_FALSE(ofi.update(book(100, 5, 101, 4)).has_value());
  // Unchanged prices: e = (7 − 5) − (4 − 4) = 2; one value held.
  EXPECT_FALSE(ofi.update(book(100, 7, 101, 4)).has_value());
  // A book with an empty side gives nothing and keeps the stored quotes.
  EXPECT_FALSE(ofi.update(OrderBook{{{90, 50}}, {}}).has_value());
  EXPECT_FALSE(ofi.update(OrderBook{{}, {{90, 50}}}).has_value());
  // Bid up: 3·1 − 7·0 = 3; ask unchanged: 2 − 4 = −2; e = 5; the sum 2 + 5.
  EXPECT_EQ(ofi.update(book(100.5, 3, 101, 2)), 7.0);
  // Both down: bid 6·0 − 3·1 = −3; ask 1·1 − 2·0 = 1; e = −4; the sum −4 + (7 − 2).
  EXPECT_EQ(ofi.update(book(99.5, 6, 100.5, 1)), 1.0);
  // Ask up with the bid unchanged: bid 6 − 6 = 0; ask 5·0 − 1·1 = −1; e = 1; the sum 1 + (1 − 5).
  EXPECT_EQ(ofi.update(book(99.5, 6, 100.75, 5)), -3.0);
}

/// The running sum is recomputed from the window every `period` pushes: with period 2 the drift of
/// x + (sum − oldest) shows for one push and is gone at the next re-add.
TEST(Microstructure, OrderFlowImbalanceRecomputesItsSumEveryPeriod) {
  OrderFlowImbalance ofi(2);
  // A rising bid with a constant ask makes e the new bid size.
  const double sizes[] = {1.0, 1e16, 1.0, 1.0, 1.0};
  std::vector<std::optional<double>> out;
  for (int i = 0; i < 5; ++i) out.push_back(ofi.update(OrderBook{{{100.0 + i, sizes[i]}}, {{200.0, 1.0}}}));
  EXPECT_FALSE(out[0].has_value());
  EXPECT_FALSE(out[1].has_value());
  EXPECT_EQ(out[2], 1e16);  // 1 + 1e16 rounds to 1e16, and the re-add (1e16 + 1) as well
  EXPECT_EQ(out[3], 1.0);   // 1 + (1e16 − 1e16): the window holds 1, 1
  EXPECT_EQ(out[4], 2.0);   // re-added from the window
}

// ---------------------------------------------------------------------------------------------------
// Trade members

TEST(Microstructure, SignedAndCumulativeVolume) {
  EXPECT_EQ(SignedVolume::update(Trades{buy(10, 2), sell(10, 3)}), -3.0);  // the last trade only
  EXPECT_EQ(SignedVolume::update(Trades{sell(10, 1), buy(10, 1.5)}), 1.5);
  EXPECT_FALSE(SignedVolume::update(Trades{}).has_value());

  CumulativeVolumeDelta cvd;
  const auto out = run(cvd, {{buy(10, 2), sell(10, 3)}, {}, {buy(10, 0.5)}, {sell(10, 0)}, {sell(9, 4), buy(9, 1)}});
  EXPECT_EQ(out[0], -1.0);
  EXPECT_FALSE(out[1].has_value());  // no trades: nothing, the total kept
  EXPECT_EQ(out[2], -0.5);
  EXPECT_EQ(out[3], -0.5);  // a zero-size trade still answers
  EXPECT_EQ(out[4], -3.5);
}

/// An invalid trade anywhere in the bar's list makes the whole bar yield nothing and change nothing.
TEST(Microstructure, InvalidTradesLeaveTheStateUntouched) {
  auto made = create_indicator("CumulativeVolumeDelta", std::vector<double>{});
  ASSERT_TRUE(made.has_value());
  BarIndicator& cvd = **made;
  const Trades first = {buy(10, 2)};
  const Trades bad_size = {buy(10, 5), sell(10, -1)};
  const Trades bad_price = {buy(0, 5)};
  const Trades next = {sell(10, 0.5)};
  EXPECT_EQ(cvd.update(bar(10, &first)), 2.0);
  EXPECT_FALSE(cvd.update(bar(10, &bad_size)).has_value());
  EXPECT_FALSE(cvd.update(bar(10, &bad_price)).has_value());
  EXPECT_EQ(cvd.update(bar(10, &next)), 1.5);
}

TEST(Microstructure, TradeImbalanceCountsTradesNotBars) {
  TradeImbalance ti(3);
  const auto out = run(ti, {{buy(10, 2), sell(10, 1)}, {buy(10, 3)}, {sell(10, 4)}, {}, {sell(10, 1), sell(10, 1)}});
  EXPECT_FALSE(out[0].has_value());            // two trades held
  EXPECT_EQ(out[1], (5.0 - 1.0) / (5.0 + 1.0));  // B = 2 + 3, S = 1
  EXPECT_EQ(out[2], -0.25);                    // the buy of 2 leaves: B = 3, S = 5
  EXPECT_FALSE(out[3].has_value());
  EXPECT_EQ(out[4], -1.0);  // sells of 4, 1, 1 only

  TradeImbalance one(1);
  EXPECT_EQ(one.update(Trades{buy(10, 0)}), 0.0);  // B + S = 0
  EXPECT_EQ(one.update(Trades{sell(10, 2)}), -1.0);
}

TEST(Microstructure, PinFromTheCountOfBuys) {
  Pin pin(4);
  const auto out = run(pin, {{buy(10, 1), buy(10, 1), sell(10, 1)}, {buy(10, 0)}, {sell(10, 3)}, {sell(10, 2)}});
  EXPECT_FALSE(out[0].has_value());
  EXPECT_EQ(out[1], 0.5);  // b = 3: |6 − 4|/4
  EXPECT_EQ(out[2], 0.0);  // B S B S
  EXPECT_EQ(out[3], 0.5);  // S B S S: |2 − 4|/4
  Pin all(3);
  EXPECT_EQ(all.update(Trades{sell(1, 1), sell(1, 1), sell(1, 1)}), 1.0);
}

TEST(Microstructure, TradeSignAutocorrelationWithoutMeanRemoval) {
  TradeSignAutocorrelation tsa(4);
  const auto out = run(tsa, {{buy(1, 1), buy(1, 1)}, {buy(1, 1), sell(1, 1)}, {buy(1, 1)}, {buy(1, 1)},
                             {sell(1, 1), buy(1, 1), sell(1, 1)}});
  EXPECT_FALSE(out[0].has_value());
  EXPECT_EQ(out[1], 1.0 / 3.0);   // + + + −: 1 + 1 − 1
  EXPECT_EQ(out[2], -1.0 / 3.0);  // + + − +: 1 − 1 − 1
  EXPECT_EQ(out[3], -1.0 / 3.0);  // + − + +: −1 − 1 + 1
  EXPECT_EQ(out[4], -1.0);        // + − + −: −1 − 1 − 1
  TradeSignAutocorrelation same(2);
  EXPECT_EQ(same.update(Trades{sell(1, 1), sell(1, 1)}), 1.0);
  EXPECT_EQ(same.update(Trades{buy(1, 1)}), -1.0);
}

TEST(Microstructure, RollMeasureByHand) {
  RollMeasure roll(5);
  EXPECT_EQ(roll.warmup_period(), 6u);
  const auto out = run(roll, {{buy(10, 1), buy(11, 1)}, {buy(10, 1), buy(11, 1)}, {sell(10, 1)}, {sell(10, 1)}, {buy(11, 1)}});
  EXPECT_FALSE(out[0].has_value());
  EXPECT_FALSE(out[1].has_value());
  // Prices 10 11 10 11 10: changes 1 −1 1 −1, mean 0, cov (−1 − 1 − 1)/3 = −1, answer 2·√1.
  EXPECT_EQ(out[2], 2.0);
  // Prices 11 10 11 10 10: changes −1 1 −1 0, mean −0.25; products 1.25·−0.75, −0.75·1.25,
  // 0.25·−0.75 add to −2.0625; cov = −0.6875; answer 2·√0.6875 ≈ 1.6583.
  EXPECT_EQ(out[3], 2.0 * std::sqrt(0.6875));
  EXPECT_NEAR(*out[3], 1.6583123951777, 1e-12);
  // Prices 10 11 10 10 11: changes 1 −1 0 1, mean 0.25; products −1.25·0.75, −0.25·−1.25, 0.75·−0.25
  // add to −0.8125; cov = −0.8125/3.
  EXPECT_EQ(out[4], 2.0 * std::sqrt(0.8125 / 3.0));

  // A trend or positively correlated changes give 0.
  RollMeasure trend(3);
  EXPECT_EQ(trend.update(Trades{buy(10, 1), buy(11, 1), buy(12, 1)}), 0.0);
  RollMeasure accel(5);
  EXPECT_EQ(accel.update(Trades{buy(10, 1), buy(11, 1), buy(12, 1), buy(14, 1), buy(16, 1)}), 0.0);
}

TEST(Microstructure, AmihudIlliquidityByHand) {
  AmihudIlliquidity ami(2);
  // The first trade of non-zero size only stores its price; zero sizes are skipped.
  EXPECT_FALSE(ami.update(Trades{buy(50, 0), buy(100, 1)}).has_value());
  const double v1 = std::fabs(std::log(110.0 / 100.0)) / (110.0 * 2.0);
  EXPECT_FALSE(ami.update(Trades{sell(110, 2), buy(5, 0)}).has_value());
  const double v2 = std::fabs(std::log(99.0 / 110.0)) / (99.0 * 1.0);
  EXPECT_EQ(ami.update(Trades{buy(99, 1)}), (v2 + v1) / 2.0);
  EXPECT_NEAR((v1 + v2) / 2.0, (0.0953101798043249 / 220.0 + 0.1053605156578263 / 99.0) / 2.0, 1e-15);
  // A bar of zero-size trades changes nothing and repeats the value.
  EXPECT_EQ(ami.update(Trades{buy(1, 0)}), (v2 + v1) / 2.0);
  // A third value: after the re-add at push 2 the sum is v1 + v2, then v3 + (sum − v1).
  const double v3 = std::fabs(std::log(99.0 / 99.0)) / (99.0 * 3.0);
  EXPECT_EQ(ami.update(Trades{sell(99, 3)}), (v3 + ((0.0 + v1 + v2) - v1)) / 2.0);
}

TEST(Microstructure, VpinPoursTradesIntoBuckets) {
  Vpin vpin(10, 2);
  EXPECT_EQ(vpin.warmup_period(), 1u);
  // One buy of 25 completes two buckets (10 and 10) and leaves 5 in the third.
  EXPECT_EQ(vpin.update(Trades{buy(1, 25)}), 20.0 / (2.0 * 10.0));
  // A sell of 5 completes the third: |5 − 5| = 0; the window holds 10, 0.
  EXPECT_EQ(vpin.update(Trades{sell(1, 5)}), 0.5);
  // A sell of 12: bucket |0 − 10| = 10, 2 left over; the window holds 0, 10.
  EXPECT_EQ(vpin.update(Trades{sell(1, 12)}), 0.5);
  // A buy of 3 only adds to the open bucket (2 sold, 3 bought): the value stays.
  EXPECT_EQ(vpin.update(Trades{buy(1, 3)}), 0.5);
  // Buy 5 completes it as |8 − 2| = 6: window 10, 6.
  EXPECT_EQ(vpin.update(Trades{buy(1, 5), sell(1, 0)}), 16.0 / 20.0);

  Vpin slow(10, 3);
  EXPECT_FALSE(slow.update(Trades{buy(1, 25)}).has_value());  // two buckets of three
  EXPECT_FALSE(slow.update(Trades{sell(1, 4)}).has_value());
  EXPECT_EQ(slow.update(Trades{sell(1, 1)}), 20.0 / 30.0);    // third bucket 5 − 5
}

/// A trade far larger than the bucket volume costs a bounded number of window pushes.
TEST(Microstructure, VpinSettlesAHugeTradeQuickly) {
  Vpin vpin(1, 3);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(vpin.update(Trades{buy(1, 1e300)}), 1.0);  // every bucket one-sided
  EXPECT_EQ(vpin.update(Trades{sell(1, 1.5)}), 1.0);   // one more full sell bucket, 0.5 left over
  EXPECT_EQ(vpin.update(Trades{buy(1, 0.5)}), 2.0 / 3.0);  // |0.5 − 0.5| = 0 joins
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// ---------------------------------------------------------------------------------------------------
// Trade-and-quote members

TEST(Microstructure, EffectiveSpreadUsesTheMidOrTheClose) {
  const Trades trades = {buy(100.5, 1), sell(99.8, 2)};
  const double want = 2.0 * -1.0 * (99.8 - 100.0) / 100.0 * 10000.0;
  EXPECT_NEAR(want, 40.0, 1e-9);
  const OrderBook book{{{99, 1}}, {{101, 1}}};
  const OrderBook one_sided{{{99, 1}}, {}};
  EXPECT_EQ(EffectiveSpread::update(TradeQuote{trades, &book, 250.0}), want);
  EXPECT_EQ(EffectiveSpread::update(TradeQuote{trades, nullptr, 100.0}), want);    // no book: the close
  EXPECT_EQ(EffectiveSpread::update(TradeQuote{trades, &one_sided, 100.0}), want);  // one side: the close
  const Trades buys = {buy(101.0, 1)};
  EXPECT_EQ(EffectiveSpread::update(TradeQuote{buys, &book, 0.0}), 2.0 * 1.0 * (101.0 - 100.0) / 100.0 * 10000.0);
  // A mid that is not finite or not positive: nothing.
  for (double close : {NaN, Inf, 0.0, -3.0}) {
    EXPECT_FALSE(EffectiveSpread::update(TradeQuote{trades, nullptr, close}).has_value()) << close;
  }
}

TEST(Microstructure, RealizedSpreadByHand) {
  RealizedSpread rs(2);
  EXPECT_EQ(rs.warmup_period(), 3u);
  const OrderBook at100{{{99.5, 1}}, {{100.5, 1}}};
  const Trades t1 = {buy(100.5, 1)};
  const Trades t2 = {sell(100.8, 1)};
  const Trades t3 = {buy(102.1, 1)};
  const Trades t4 = {sell(101, 1), buy(101.2, 1)};
  EXPECT_FALSE(rs.update(TradeQuote{t1, &at100, 1.0}).has_value());  // mid 100 from the book
  EXPECT_FALSE(rs.update(TradeQuote{t2, nullptr, 101.0}).has_value());
  // A bar without a valid mid changes nothing.
  EXPECT_FALSE(rs.update(TradeQuote{t3, nullptr, NaN}).has_value());
  // The third trade pushes out the first (+1, 100.5, 100) against the mid 102.
  EXPECT_EQ(rs.update(TradeQuote{t3, nullptr, 102.0}), 2.0 * 1.0 * (100.5 - 102.0) / 100.0 * 10000.0);
  EXPECT_NEAR(2.0 * 1.0 * (100.5 - 102.0) / 100.0 * 10000.0, -300.0, 1e-9);
  // Two trades: the answer is the second one out, (+1, 102.1, 102) against the mid 101.5.
  EXPECT_EQ(rs.update(TradeQuote{t4, nullptr, 101.5}), 2.0 * 1.0 * (102.1 - 101.5) / 102.0 * 10000.0);
}

TEST(Microstructure, KylesLambdaByHand) {
  KylesLambda kl(2);
  EXPECT_EQ(kl.warmup_period(), 3u);
  const Trades b2 = {buy(100, 2)};
  const Trades b1 = {buy(101, 1)};
  const Trades s2 = {sell(100.5, 2)};
  const Trades b1b3 = {buy(100.5, 1), buy(100.5, 3)};
  EXPECT_FALSE(kl.update(TradeQuote{b2, nullptr, 100.0}).has_value());   // stores the mid only
  EXPECT_FALSE(kl.update(TradeQuote{b1, nullptr, 101.0}).has_value());   // (q 1, Δ 1)
  EXPECT_FALSE(kl.update(TradeQuote{s2, nullptr, NaN}).has_value());     // no valid mid: nothing
  // (q −2, Δ −0.5): E[qΔ] = 1, E[q] = −0.5, E[Δ] = 0.25, E[q²] = 2.5: (1 + 0.125)/(2.5 − 0.25) = 0.5
  EXPECT_EQ(kl.update(TradeQuote{s2, nullptr, 100.5}), 0.5);
  // Two trades in one bar: both see Δ = 0, so the covariance is 0.
  EXPECT_EQ(kl.update(TradeQuote{b1b3, nullptr, 100.5}), 0.0);
  // The book's mid is used when both sides are there: Δ = 101 − 100.5 with q = 1, then (q 3, Δ 0) leaves.
  const OrderBook book{{{100.5, 1}}, {{101.5, 1}}};
  const Trades b1b = {buy(101, 1)};
  // pairs (q 3, Δ 0), (q 1, Δ 0.5): cov = (0 + 0.5)/2 − 2·0.25 = −0.25, var = 5 − 4 = 1
  EXPECT_EQ(kl.update(TradeQuote{b1b, &book, 7.0}), -0.25);

  // Equal signed sizes: var(q) = 0 gives 0.
  KylesLambda flat(2);
  EXPECT_FALSE(flat.update(TradeQuote{b1, nullptr, 100.0}).has_value());
  EXPECT_FALSE(flat.update(TradeQuote{b1, nullptr, 101.0}).has_value());
  EXPECT_EQ(flat.update(TradeQuote{b1, nullptr, 103.0}), 0.0);
  EXPECT_EQ(flat.update(TradeQuote{b1, nullptr, 99.0}), 0.0);
}

}  // namespace
}  // namespace sorvik

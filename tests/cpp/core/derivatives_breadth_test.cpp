// The derivatives measures (fed the bar's DerivativesTick), the leverage estimate (close over the
// reference value) and the market-breadth measures (fed the bar's CrossSection).

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/support.hpp"
#include "indicators/derivatives_breadth/breadth_thrust.hpp"
#include "indicators/derivatives_breadth/funding_implied_apr.hpp"
#include "indicators/derivatives_breadth/funding_rate_mean.hpp"
#include "indicators/derivatives_breadth/funding_rate_z_score.hpp"
#include "indicators/derivatives_breadth/high_low_index.hpp"
#include "indicators/derivatives_breadth/mc_clellan_oscillator.hpp"
#include "indicators/derivatives_breadth/mc_clellan_summation_index.hpp"
#include "indicators/derivatives_breadth/oi_price_divergence.hpp"
#include "indicators/derivatives_breadth/open_interest_momentum.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

// ---------------------------------------------------------------------------------------------------
// Inputs

/// A tick with every field set to a plausible value; tests override what they look at.
DerivativesTick tick() {
  DerivativesTick t;
  t.funding_rate = 0.0001;
  t.mark_price = 100.0;
  t.index_price = 100.0;
  t.futures_price = 101.0;
  t.open_interest = 1000.0;
  t.long_positions = 60.0;
  t.short_positions = 40.0;
  t.taker_buy_volume = 30.0;
  t.taker_sell_volume = 20.0;
  t.long_liquidations = 0.0;
  t.short_liquidations = 0.0;
  return t;
}
DerivativesTick funding(double rate) {
  DerivativesTick t = tick();
  t.funding_rate = rate;
  return t;
}
DerivativesTick oi(double open_interest, double mark = 100.0) {
  DerivativesTick t = tick();
  t.open_interest = open_interest;
  t.mark_price = mark;
  return t;
}

/// An entry: its change and volume and the four flags (new high, new low, above MA, bullish).
CrossSectionEntry entry(double change, double volume, bool high = false, bool low = false, bool above = false,
                        bool bullish = false) {
  return CrossSectionEntry{change, volume, high, low, above, bullish};
}

// The cross-sections the breadth tests share, with their counts worked out by hand.
// MIXED: A = 3, D = 2 (the -0 change is neither), UV = 10 + 20 + 2.5 = 32.5, DV = 5 + 15 = 20, N = 7,
// new highs 2, new lows 1, above MA 3, bullish 4.
const CrossSection MIXED{{
    entry(1.0, 10.0, true, false, true, true),
    entry(2.0, 20.0, true, false, true, true),
    entry(-1.0, 5.0, false, true, false, false),
    entry(0.0, 7.0, false, false, true, true),
    entry(-3.0, 15.0),
    entry(0.5, 2.5, false, false, false, true),
    entry(-0.0, 1.0),
}};
// No declines and no down volume: A = 2, D = 0, UV = 3.5, DV = 0.
const CrossSection ALL_UP{{entry(1.0, 0.5, true), entry(2.0, 3.0, true)}};
// No advances: A = 0, D = 2, UV = 0, DV = 10.
const CrossSection ALL_DOWN{{entry(-1.0, 4.0, false, true), entry(-2.0, 6.0, false, true, true)}};
const CrossSection EMPTY{};

BarContext candle_bar(double close = 100.0) {
  BarContext ctx;
  ctx.candle = Candle{0, close, close + 1.0, close - 1.0, close, 1.0};
  return ctx;
}
BarContext tick_bar(const DerivativesTick& t) {
  BarContext ctx = candle_bar();
  ctx.derivatives = &t;
  return ctx;
}
BarContext section_bar(const CrossSection& cs) {
  BarContext ctx = candle_bar();
  ctx.cross_section = &cs;
  return ctx;
}

/// Feeds the ticks in order through the factory's adapter and collects the answers.
std::vector<std::optional<double>> feed_ticks(BarIndicator& ind, const std::vector<DerivativesTick>& ticks) {
  std::vector<std::optional<double>> out;
  for (const DerivativesTick& t : ticks) out.push_back(ind.update(tick_bar(t)));
  return out;
}
std::vector<std::optional<double>> feed_sections(BarIndicator& ind, const std::vector<const CrossSection*>& cs) {
  std::vector<std::optional<double>> out;
  for (const CrossSection* c : cs) out.push_back(c != nullptr ? ind.update(section_bar(*c)) : ind.update(candle_bar()));
  return out;
}

using Opt = std::optional<double>;
constexpr std::nullopt_t NONE = std::nullopt;

const char* const FAMILY[] = {
    "FundingRate",         "FundingImpliedApr",    "FundingRateMean",       "FundingRateZScore",
    "FundingBasis",        "PerpetualPremiumIndex", "CalendarSpread",       "TermStructureBasis",
    "LongShortRatio",      "TakerBuySellRatio",    "OiToVolumeRatio",       "OpenInterestDelta",
    "OpenInterestMomentum", "OIPriceDivergence",   "OIWeighted",            "LiquidationFeatures",
    "EstimatedLeverageRatio", "AdvanceDecline",    "AdVolumeLine",          "CumulativeVolumeIndex",
    "AdvanceDeclineRatio", "AbsoluteBreadthIndex", "TickIndex",             "UpDownVolumeRatio",
    "Trin",                "BullishPercentIndex",  "PercentAboveMa",        "NewHighsNewLows",
    "HighLowIndex",        "BreadthThrust",        "McClellanOscillator",   "McClellanSummationIndex",
};

// ---------------------------------------------------------------------------------------------------
// Construction, registry rows, warm-ups

TEST(DerivativesBreadth, ConstructorChecksInOrder) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* message;  // the constructor's display text; nullptr: builds
  };
  const char* max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const char* zero = "period must be greater than zero";
  const char* apr = "invalid period: intervals_per_year must be finite and positive";
  std::vector<Case> cases = {
      {"FundingImpliedApr", {0.0}, apr},
      {"FundingImpliedApr", {-0.0}, apr},
      {"FundingImpliedApr", {-1095.0}, apr},
      {"FundingImpliedApr", {1e-300}, nullptr},
      {"FundingImpliedApr", {1095.0}, nullptr},
  };
  for (const char* windowed :
       {"FundingRateMean", "FundingRateZScore", "OpenInterestMomentum", "OIPriceDivergence", "HighLowIndex",
        "BreadthThrust"}) {
    cases.push_back({windowed, {TINY}, zero});
    cases.push_back({windowed, {16777217}, max});
    cases.push_back({windowed, {16777216}, nullptr});  // storage grows only as ticks arrive
    cases.push_back({windowed, {1}, nullptr});
  }
  for (const char* name : FAMILY) cases.push_back({name, {14, 1, 2}, nullptr});  // surplus is ignored
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " " << (c.params.empty() ? 0.0 : c.params[0]));
    auto made = create_indicator(c.name, c.params);
    if (c.message == nullptr) {
      EXPECT_TRUE(made.has_value()) << made.error().display();
    } else {
      ASSERT_FALSE(made.has_value());
      EXPECT_EQ(made.error().display(), std::string("invalid parameters for indicator ") + c.name + ": " + c.message);
    }
  }
}

TEST(DerivativesBreadth, TypedConstructorsRejectWhatTheFactoryCannotSend) {
  // The factory refuses non-finite reals and zero periods before the constructor; the typed cores
  // check them too.
  for (double bad : {NaN, Inf, -Inf, 0.0}) {
    auto made = FundingImpliedApr::create(bad);
    ASSERT_FALSE(made.has_value());
    EXPECT_EQ(made.error().display(), "invalid period: intervals_per_year must be finite and positive");
  }
  EXPECT_EQ(FundingRateMean::create(0).error().display(), "period must be greater than zero");
  EXPECT_EQ(FundingRateZScore::create(0).error().display(), "period must be greater than zero");
  EXPECT_EQ(OpenInterestMomentum::create(0).error().display(), "period must be greater than zero");
  EXPECT_EQ(OIPriceDivergence::create(0).error().display(), "period must be greater than zero");
  EXPECT_EQ(HighLowIndex::create(0).error().display(), "period must be greater than zero");
  EXPECT_EQ(BreadthThrust::create(0).error().display(), "period must be greater than zero");
  EXPECT_EQ(OpenInterestMomentum::create(std::numeric_limits<std::uint64_t>::max()).error().kind,
            IndicatorError::Kind::InvalidPeriod);
}

TEST(DerivativesBreadth, FeedKindsAndWarmups) {
  struct Case {
    const char* name;
    std::vector<double> params;
    FeedKind feed;
    std::uint64_t warmup;
  };
  const FeedKind D = FeedKind::Derivatives;
  const FeedKind C = FeedKind::CrossSection;
  const Case cases[] = {
      {"FundingRate", {}, D, 1},          {"FundingImpliedApr", {3}, D, 1},
      {"FundingRateMean", {8}, D, 8},     {"FundingRateZScore", {8}, D, 8},
      {"FundingBasis", {}, D, 1},         {"PerpetualPremiumIndex", {}, D, 1},
      {"CalendarSpread", {}, D, 1},       {"TermStructureBasis", {}, D, 1},
      {"LongShortRatio", {}, D, 1},       {"TakerBuySellRatio", {}, D, 1},
      {"OiToVolumeRatio", {}, D, 1},      {"OpenInterestDelta", {}, D, 2},
      {"OpenInterestMomentum", {8}, D, 9}, {"OIPriceDivergence", {8}, D, 9},
      {"OIWeighted", {}, D, 1},           {"LiquidationFeatures", {}, D, 1},
      {"EstimatedLeverageRatio", {}, FeedKind::Kline, 1},
      {"AdvanceDecline", {}, C, 1},       {"AdVolumeLine", {}, C, 1},
      {"CumulativeVolumeIndex", {}, C, 1}, {"AdvanceDeclineRatio", {}, C, 1},
      {"AbsoluteBreadthIndex", {}, C, 1}, {"TickIndex", {}, C, 1},
      {"UpDownVolumeRatio", {}, C, 1},    {"Trin", {}, C, 1},
      {"BullishPercentIndex", {}, C, 1},  {"PercentAboveMa", {}, C, 1},
      {"NewHighsNewLows", {}, C, 1},      {"HighLowIndex", {8}, C, 8},
      {"BreadthThrust", {8}, C, 8},       {"McClellanOscillator", {}, C, 1},
      {"McClellanSummationIndex", {}, C, 1},
  };
  ASSERT_EQ(std::size(cases), std::size(FAMILY));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(feed_kind_of(c.name), c.feed);
    auto ind = make(c.name, c.params);
    ASSERT_NE(ind, nullptr);
    EXPECT_EQ(ind->warmup_period(), c.warmup);
  }
  // The largest window: the n + 1 look-back does not wrap.
  EXPECT_EQ(make("OpenInterestMomentum", {16777216})->warmup_period(), 16777217u);
}

TEST(DerivativesBreadth, CandlesAloneYieldNothing) {
  // A run built from candles alone: no tick, no cross-section, no reference value.
  for (const char* name : FAMILY) {
    SCOPED_TRACE(name);
    const CatalogEntry* c = find_catalog_entry(name);
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(c->built);
    auto ind = make(name, sample_params(*c, 3));
    ASSERT_NE(ind, nullptr);
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(ind->update(candle_bar(100.0 + i)).has_value());
    EXPECT_TRUE(ind->extra_outputs().empty());
  }
}

// ---------------------------------------------------------------------------------------------------
// Derivatives: the measures of one tick

TEST(DerivativesBreadth, SingleTickMeasuresAndTheirGuards) {
  struct Case {
    const char* name;
    std::vector<double> params;
    DerivativesTick t;
    double expected;
  };
  auto with = [](auto set) {
    DerivativesTick t = tick();
    set(t);
    return t;
  };
  const Case cases[] = {
      {"FundingRate", {}, funding(-0.00025), -0.00025},
      {"FundingImpliedApr", {1095}, funding(0.0001), 0.0001 * 1095.0},
      {"FundingBasis", {}, with([](auto& t) { t.mark_price = 101.0; t.index_price = 100.0; }), (101.0 - 100.0) / 100.0},
      {"FundingBasis", {}, with([](auto& t) { t.mark_price = 101.0; t.index_price = 0.0; }), 0.0},
      {"PerpetualPremiumIndex", {}, with([](auto& t) { t.mark_price = 99.5; t.index_price = 100.0; }),
       (99.5 - 100.0) / 100.0},
      {"PerpetualPremiumIndex", {}, with([](auto& t) { t.index_price = -0.0; }), 0.0},
      {"CalendarSpread", {}, with([](auto& t) { t.futures_price = 103.0; t.mark_price = 100.5; }),
       (103.0 - 100.5) / 100.5},
      {"CalendarSpread", {}, with([](auto& t) { t.mark_price = 0.0; }), 0.0},
      {"TermStructureBasis", {}, with([](auto& t) { t.futures_price = 97.0; t.index_price = 99.0; }),
       (97.0 - 99.0) / 99.0},
      {"TermStructureBasis", {}, with([](auto& t) { t.index_price = 0.0; }), 0.0},
      {"LongShortRatio", {}, with([](auto& t) { t.long_positions = 70.0; t.short_positions = 30.0; }), 70.0 / 30.0},
      {"LongShortRatio", {}, with([](auto& t) { t.short_positions = 0.0; }), 0.0},
      {"TakerBuySellRatio", {}, with([](auto& t) { t.taker_buy_volume = 5.0; t.taker_sell_volume = 4.0; }), 1.25},
      {"TakerBuySellRatio", {}, with([](auto& t) { t.taker_sell_volume = 0.0; }), 0.0},
      {"OiToVolumeRatio", {}, with([](auto& t) { t.open_interest = 900.0; t.taker_buy_volume = 20.0; t.taker_sell_volume = 16.0; }),
       900.0 / (20.0 + 16.0)},
      {"OiToVolumeRatio", {}, with([](auto& t) { t.taker_buy_volume = 0.0; t.taker_sell_volume = 0.0; }), 0.0},
      {"OiToVolumeRatio", {}, with([](auto& t) { t.taker_buy_volume = -3.0; t.taker_sell_volume = 2.0; }), 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " #" << (&c - cases));
    auto ind = make(c.name, c.params);
    ASSERT_NE(ind, nullptr);
    EXPECT_EQ(ind->update(tick_bar(c.t)), c.expected);
    EXPECT_TRUE(ind->extra_outputs().empty());
  }
}

TEST(DerivativesBreadth, InvalidOrAbsentTicksChangeNothing) {
  // OpenInterestDelta keeps the last stored open interest across absent and invalid ticks.
  auto ind = make("OpenInterestDelta");
  DerivativesTick bad = oi(5000.0);
  bad.long_liquidations = NaN;
  EXPECT_FALSE(ind->update(tick_bar(oi(100.0))).has_value());  // the first tick only stores
  EXPECT_FALSE(ind->update(candle_bar()).has_value());
  EXPECT_FALSE(ind->update(tick_bar(bad)).has_value());
  EXPECT_EQ(ind->update(tick_bar(oi(130.0))), 30.0);
  EXPECT_EQ(ind->update(tick_bar(oi(120.0))), -10.0);
}

TEST(DerivativesBreadth, FundingRateMeanIsTheRunningMean) {
  // Window 3: (0.25 + 0.5 + 1) / 3, then the window drops 0.25: (-0.75 + (1.75 - 0.25)) / 3 = 0.25.
  auto ind = make("FundingRateMean", {3});
  DerivativesTick bad = funding(1e9);
  bad.open_interest = Inf;
  BarContext bad_bar = tick_bar(bad);
  EXPECT_FALSE(ind->update(tick_bar(funding(0.25))).has_value());
  EXPECT_FALSE(ind->update(bad_bar).has_value());  // does not count towards the warm-up
  EXPECT_FALSE(ind->update(tick_bar(funding(0.5))).has_value());
  EXPECT_EQ(ind->update(tick_bar(funding(1.0))), 1.75 / 3.0);
  EXPECT_EQ(ind->update(tick_bar(funding(-0.75))), 0.25);
}

TEST(DerivativesBreadth, FundingRateZScoreAnswersAsZScore) {
  // Window 3. The accumulator anchors on the first rate and re-anchors on the window mean every 3
  // pushes. Rates 1, 2, 3: anchor 2, S1 = 0, S2 = 2 -> (3 - 2) / sqrt(2/3). Then 4: S1 = 0 + 1 + 2 = 3,
  // S2 = 2 - 1 + 4 = 5 -> mean 2 + 3/3, variance 5/3 - 1*1 (the shifted form, not exactly 2/3). Then 2
  // (window 3, 4, 2): the same sums -> (2 - 3) / sqrt(5/3 - 1). Then 5 (window 4, 2, 5): mean 11/3,
  // variance 14/9. Three 5s later the window is constant and re-anchored: 0.
  auto ind = make("FundingRateZScore", {3});
  const auto out = feed_ticks(*ind, {funding(1), funding(2), funding(3), funding(4), funding(2), funding(5),
                                     funding(5), funding(5), funding(5)});
  ASSERT_EQ(out.size(), 9u);
  EXPECT_EQ(out[0], NONE);
  EXPECT_EQ(out[1], NONE);
  EXPECT_EQ(out[2], 1.0 / std::sqrt(2.0 / 3.0));
  EXPECT_EQ(out[3], (4.0 - (2.0 + 3.0 / 3.0)) / std::sqrt(5.0 / 3.0 - 1.0));
  EXPECT_EQ(out[4], (2.0 - (2.0 + 3.0 / 3.0)) / std::sqrt(5.0 / 3.0 - 1.0));
  ASSERT_TRUE(out[5].has_value());
  EXPECT_NEAR(*out[5], (5.0 - 11.0 / 3.0) / std::sqrt(14.0 / 9.0), 1e-14);
  EXPECT_EQ(out[8], 0.0);
}

TEST(DerivativesBreadth, OpenInterestMomentumOverNTicks) {
  // Period 2: the answer compares with the open interest two ticks back; 0 when that is not positive.
  auto ind = make("OpenInterestMomentum", {2});
  const auto out = feed_ticks(*ind, {oi(100), oi(50), oi(150), oi(0), oi(75), oi(30), oi(-5), oi(8), oi(9)});
  const std::vector<Opt> expected = {
      NONE, NONE,
      (100.0 * (150.0 - 100.0)) / 100.0,  // 50
      (100.0 * (0.0 - 50.0)) / 50.0,      // -100
      (100.0 * (75.0 - 150.0)) / 150.0,   // -50
      0.0,                                // old value 0
      (100.0 * (-5.0 - 75.0)) / 75.0,
      (100.0 * (8.0 - 30.0)) / 30.0,
      0.0,  // old value -5
  };
  EXPECT_EQ(out, expected);
}

TEST(DerivativesBreadth, OIPriceDivergenceComparesBothChangeRatios) {
  // Period 1: (OI1 - OI0) / OI0 - (P1 - P0) / P0; each term 0 when its old value is zero.
  auto ind = make("OIPriceDivergence", {1});
  const auto out = feed_ticks(*ind, {oi(100, 10), oi(110, 9), oi(0, 9.9), oi(5, 11), oi(6, 0), oi(3, 4)});
  const std::vector<Opt> expected = {
      NONE,
      (110.0 - 100.0) / 100.0 - (9.0 - 10.0) / 10.0,  // 0.1 + 0.1
      (0.0 - 110.0) / 110.0 - (9.9 - 9.0) / 9.0,
      0.0 - (11.0 - 9.9) / 9.9,  // old open interest 0
      (6.0 - 5.0) / 5.0 - (0.0 - 11.0) / 11.0,
      (3.0 - 6.0) / 6.0 - 0.0,  // old mark price 0
  };
  EXPECT_EQ(out, expected);
  // A longer window looks n ticks back, not one.
  auto three = make("OIPriceDivergence", {3});
  const auto out3 = feed_ticks(*three, {oi(100, 10), oi(1, 1), oi(2, 2), oi(120, 11), oi(240, 5)});
  EXPECT_EQ(out3[3], (120.0 - 100.0) / 100.0 - (11.0 - 10.0) / 10.0);
  EXPECT_EQ(out3[4], (240.0 - 1.0) / 1.0 - (5.0 - 1.0) / 1.0);
}

TEST(DerivativesBreadth, OIWeightedAveragesTheMarkByOpenInterest) {
  // While the open-interest sum is zero the current mark is the answer; then (10*0 + 20*0 + 12*2 +
  // 18*1) / 3 = 14. Cumulative over the whole run.
  auto ind = make("OIWeighted");
  const auto out = feed_ticks(*ind, {oi(0, 10), oi(0, 20), oi(2, 12), oi(1, 18), oi(0, 99)});
  const std::vector<Opt> expected = {10.0, 20.0, 12.0, 14.0, 14.0};
  EXPECT_EQ(out, expected);
}

TEST(DerivativesBreadth, LiquidationFeaturesNamedOutputs) {
  auto ind = make("LiquidationFeatures");
  DerivativesTick t = tick();
  t.long_liquidations = 3.0;
  t.short_liquidations = 1.0;
  EXPECT_EQ(ind->update(tick_bar(t)), 3.0);  // the primary value is `long`
  const std::vector<NamedValue> expected = {
      {"long", 3.0}, {"short", 1.0}, {"net", 2.0}, {"total", 4.0}, {"imbalance", 0.5}};
  EXPECT_EQ(std::vector<NamedValue>(ind->extra_outputs().begin(), ind->extra_outputs().end()), expected);
  // No liquidations: the imbalance is 0, not 0/0.
  t.long_liquidations = 0.0;
  t.short_liquidations = 0.0;
  EXPECT_EQ(ind->update(tick_bar(t)), 0.0);
  const std::vector<NamedValue> none = {
      {"long", 0.0}, {"short", 0.0}, {"net", 0.0}, {"total", 0.0}, {"imbalance", 0.0}};
  EXPECT_EQ(std::vector<NamedValue>(ind->extra_outputs().begin(), ind->extra_outputs().end()), none);
  // An absent tick leaves the last named values in place.
  EXPECT_FALSE(ind->update(candle_bar()).has_value());
  EXPECT_EQ(ind->extra_outputs().size(), 5u);
  t.long_liquidations = 1.0;
  t.short_liquidations = 4.0;
  ind->update(tick_bar(t));
  EXPECT_EQ(ind->extra_outputs()[4].value, (1.0 - 4.0) / (1.0 + 4.0));
}

TEST(DerivativesBreadth, EstimatedLeverageRatioReadsCloseAndReference) {
  auto ind = make("EstimatedLeverageRatio");
  BarContext b = candle_bar(50.0);
  EXPECT_FALSE(ind->update(b).has_value());  // no reference value
  b.reference = 200.0;
  EXPECT_EQ(ind->update(b), 0.25);
  b.reference = 0.0;
  EXPECT_EQ(ind->update(b), 0.0);
  b.reference = -4.0;
  EXPECT_EQ(ind->update(b), 0.0);
  b.reference = NaN;
  EXPECT_FALSE(ind->update(b).has_value());
}

// ---------------------------------------------------------------------------------------------------
// Breadth: the measures of one cross-section

TEST(DerivativesBreadth, SingleSectionMeasures) {
  struct Case {
    const char* name;
    const CrossSection* cs;
    double expected;
  };
  const Case cases[] = {
      // MIXED: A = 3, D = 2, UV = 32.5, DV = 20, N = 7
      {"TickIndex", &MIXED, 1.0},
      {"AbsoluteBreadthIndex", &MIXED, 1.0},
      {"AdvanceDeclineRatio", &MIXED, 1.5},
      {"UpDownVolumeRatio", &MIXED, 32.5 / 20.0},
      {"Trin", &MIXED, (3.0 / 2.0) / (32.5 / 20.0)},
      {"BullishPercentIndex", &MIXED, (100.0 * 4.0) / 7.0},
      {"PercentAboveMa", &MIXED, (100.0 * 3.0) / 7.0},
      {"NewHighsNewLows", &MIXED, 1.0},
      // no declines and no down volume: both sides divide by 1
      {"AdvanceDeclineRatio", &ALL_UP, 2.0},
      {"UpDownVolumeRatio", &ALL_UP, 3.5},
      {"Trin", &ALL_UP, 2.0 / 3.5},
      {"TickIndex", &ALL_UP, 2.0},
      {"NewHighsNewLows", &ALL_UP, 2.0},
      // no advances
      {"AdvanceDeclineRatio", &ALL_DOWN, 0.0},
      {"TickIndex", &ALL_DOWN, -2.0},
      {"AbsoluteBreadthIndex", &ALL_DOWN, 2.0},
      {"UpDownVolumeRatio", &ALL_DOWN, 0.0},
      {"Trin", &ALL_DOWN, 0.0},  // no up volume
      {"PercentAboveMa", &ALL_DOWN, 50.0},
      {"NewHighsNewLows", &ALL_DOWN, -2.0},
      // empty: every measure answers 0
      {"TickIndex", &EMPTY, 0.0},
      {"AbsoluteBreadthIndex", &EMPTY, 0.0},
      {"AdvanceDeclineRatio", &EMPTY, 0.0},
      {"UpDownVolumeRatio", &EMPTY, 0.0},
      {"Trin", &EMPTY, 0.0},
      {"BullishPercentIndex", &EMPTY, 0.0},
      {"PercentAboveMa", &EMPTY, 0.0},
      {"NewHighsNewLows", &EMPTY, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " #" << (&c - cases));
    auto ind = make(c.name);
    ASSERT_NE(ind, nullptr);
    EXPECT_EQ(ind->update(section_bar(*c.cs)), c.expected);
  }
}

TEST(DerivativesBreadth, VolumeGuardsDivideByAtLeastOne) {
  // Down volume below 1 is replaced by 1; advancers without volume give Trin 0, never infinity.
  const CrossSection thin{{entry(1.0, 2.0), entry(-1.0, 0.5)}};
  const CrossSection dry{{entry(1.0, 0.0), entry(-1.0, 5.0)}};
  EXPECT_EQ(make("UpDownVolumeRatio")->update(section_bar(thin)), 2.0);
  EXPECT_EQ(make("Trin")->update(section_bar(thin)), 1.0 / 2.0);
  EXPECT_EQ(make("Trin")->update(section_bar(dry)), 0.0);
}

TEST(DerivativesBreadth, InvalidOrAbsentSectionsChangeNothing) {
  const CrossSection negative_volume{{entry(1.0, -1.0)}};
  const CrossSection nan_change{{entry(NaN, 1.0)}};
  auto line = make("AdvanceDecline");
  EXPECT_EQ(line->update(section_bar(ALL_UP)), 2.0);
  EXPECT_FALSE(line->update(section_bar(negative_volume)).has_value());
  EXPECT_FALSE(line->update(section_bar(nan_change)).has_value());
  EXPECT_FALSE(line->update(candle_bar()).has_value());
  EXPECT_EQ(line->update(section_bar(ALL_UP)), 4.0);
}

// ---------------------------------------------------------------------------------------------------
// Breadth: the cumulative and smoothed measures over several bars

TEST(DerivativesBreadth, CumulativeLines) {
  // Bars MIXED, ALL_UP, (absent), EMPTY, ALL_DOWN.
  const std::vector<const CrossSection*> bars = {&MIXED, &ALL_UP, nullptr, &EMPTY, &ALL_DOWN};
  struct Case {
    const char* name;
    std::vector<Opt> expected;
  };
  const Case cases[] = {
      {"AdvanceDecline", {1.0, 3.0, NONE, 3.0, 1.0}},
      // UV - DV per bar: 12.5, 3.5, -, 0, -10
      {"AdVolumeLine", {12.5, 16.0, NONE, 16.0, 6.0}},
      {"CumulativeVolumeIndex", {12.5, 16.0, NONE, 16.0, 6.0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto ind = make(c.name);
    EXPECT_EQ(feed_sections(*ind, bars), c.expected);
  }
}

TEST(DerivativesBreadth, HighLowIndexAveragesTheRecordHighPercent) {
  // 100 H / (H + L) per bar: MIXED 100*2/3, ALL_UP 100, EMPTY 0 (no highs or lows), ALL_DOWN 0.
  // Window 2 with the running sum: (100 + 66.67) / 2, then (0 + (sum - 66.67)) / 2, ...
  auto ind = make("HighLowIndex", {2});
  const auto out = feed_sections(*ind, {&MIXED, nullptr, &ALL_UP, &EMPTY, &ALL_DOWN});
  const double first = (100.0 * 2.0) / 3.0;
  const double sum2 = 100.0 + first;
  const double sum3 = 0.0 + (sum2 - first);
  const double sum4 = 0.0 + (sum3 - 100.0);
  const std::vector<Opt> expected = {NONE, NONE, sum2 / 2.0, sum3 / 2.0, sum4 / 2.0};
  EXPECT_EQ(out, expected);
  EXPECT_NEAR(*out[2], 83.333333333333333, 1e-12);
  EXPECT_NEAR(*out[3], 50.0, 1e-12);
}

TEST(DerivativesBreadth, BreadthThrustSmoothsTheAdvancingShare) {
  // A / (A + D): MIXED 0.6, ALL_UP 1, EMPTY 0 (neither), ALL_DOWN 0. Period 2: seeded with the mean
  // of the first two, then fma(2/3, x, (1/3) * value).
  auto ind = make("BreadthThrust", {2});
  const auto out = feed_sections(*ind, {&MIXED, nullptr, &ALL_UP, &EMPTY, &ALL_DOWN});
  const double alpha = 2.0 / (2.0 + 1.0);
  const double beta = 1.0 - alpha;
  const double seed = (1.0 + (3.0 / 5.0 + 0.0)) / 2.0;  // 0.8
  const double third = std::fma(alpha, 0.0, beta * seed);
  const double fourth = std::fma(alpha, 0.0, beta * third);
  const std::vector<Opt> expected = {NONE, NONE, seed, third, fourth};
  EXPECT_EQ(out, expected);
  EXPECT_NEAR(*out[3], 0.8 / 3.0, 1e-15);
}

TEST(DerivativesBreadth, McClellanOscillatorAndSummation) {
  // net = 1000 (A - D) / (A + D): MIXED 200, ALL_UP 1000, EMPTY 0, ALL_DOWN -1000.
  // Bar 1 sets both averages to 200 (oscillator 0); bar 2: fast 200 + 0.1*800 = 280, slow
  // 200 + 0.05*800 = 240 -> 40; bar 3 (EMPTY): fast 252, slow 228 -> 24; bar 4 (ALL_DOWN).
  auto osc = make("McClellanOscillator");
  auto sum = make("McClellanSummationIndex");
  const std::vector<const CrossSection*> bars = {&MIXED, nullptr, &ALL_UP, &EMPTY, &ALL_DOWN};
  const auto o = feed_sections(*osc, bars);
  const auto s = feed_sections(*sum, bars);

  double fast = (1000.0 * 1.0) / 5.0;
  double slow = fast;
  std::vector<Opt> expected_osc = {fast - slow, NONE};
  for (double net : {1000.0, 0.0, -1000.0}) {
    fast = fast + 0.1 * (net - fast);
    slow = slow + 0.05 * (net - slow);
    expected_osc.push_back(fast - slow);
  }
  EXPECT_EQ(o, expected_osc);
  EXPECT_EQ(o[0], 0.0);  // the first bar answers 0
  EXPECT_NEAR(*o[2], 40.0, 1e-12);
  EXPECT_NEAR(*o[3], 24.0, 1e-12);
  EXPECT_NEAR(*o[4], -39.8, 1e-12);  // fast 252 + 0.1*(-1252) = 126.8, slow 228 + 0.05*(-1228) = 166.6

  const std::vector<Opt> expected_sum = {0.0, NONE, 0.0 + *o[2], (0.0 + *o[2]) + *o[3],
                                         ((0.0 + *o[2]) + *o[3]) + *o[4]};
  EXPECT_EQ(s, expected_sum);
  EXPECT_NEAR(*s[4], 40.0 + 24.0 - 39.8, 1e-12);
}

TEST(DerivativesBreadth, TypedCoresDirectly) {
  // The typed cores take the record itself, without the adapter.
  OpenInterestMomentum m(1);
  EXPECT_FALSE(m.update(oi(10)).has_value());
  EXPECT_EQ(m.update(oi(15)), 50.0);
  McClellanSummationIndex s;
  EXPECT_EQ(s.update(MIXED), 0.0);
  McClellanOscillator o;
  EXPECT_EQ(o.update(EMPTY), 0.0);
  HighLowIndex h(1);
  EXPECT_EQ(h.update(ALL_UP), 100.0);
}

}  // namespace
}  // namespace sorvik

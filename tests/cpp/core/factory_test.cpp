// The factory: alias step, lookup, parameter decoding and its texts, constructor failures, adapters,
// and the registry checked against the name table.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/families.hpp"
#include "registry.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

TEST(Factory, ParameterAndLookupFailures) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;
  };
  const Case cases[] = {
      {"Sma", {}, "invalid parameters for indicator Sma: missing parameter #0"},
      {"Sma", {20, 5, 7}, "built"},
      {"Sma", {2.5}, "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 2.5"},
      {"Sma", {0}, "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 0"},
      {"Sma", {-0.0}, "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got -0"},
      {"Sma", {-3}, "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got -3"},
      {"Sma", {NaN}, "invalid parameters for indicator Sma: parameter #0 must be finite"},
      {"Sma", {-Inf}, "invalid parameters for indicator Sma: parameter #0 must be finite"},
      {"Sma", {0.000001}, "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 0.000001"},
      {"Sma", {16777216}, "built"},
      {"Sma", {16777217},
       "invalid parameters for indicator Sma: invalid period: period exceeds the maximum supported window "
       "length (see MAX_PERIOD)"},
      {"Sma", {1e20},
       "invalid parameters for indicator Sma: invalid period: period exceeds the maximum supported window "
       "length (see MAX_PERIOD)"},
      // The integer test tolerates 2^-52: 1.0000000000000002 reads as 1, 2^-52 reads as 0.
      {"Sma", {1.0000000000000002}, "built"},
      {"Sma", {2.220446049250313e-16}, "invalid parameters for indicator Sma: period must be greater than zero"},
      {"Sma", {1.0000000000000004},
       "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 1.0000000000000004"},
      {"sma", {20}, "unknown indicator type: sma"},
      {"", {}, "unknown indicator type: "},
      {"Smaa", {20}, "unknown indicator type: Smaa"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZa", {}, "unknown indicator type: ABCDEFGHIJKLMNOPQRSTUVWXYZa"},
      {" Sma", {20}, "unknown indicator type:  Sma"},
      // The alias step comes first and every later message names the canonical type.
      {"Bollinger", {20}, "invalid parameters for indicator BollingerBands: missing parameter #1"},
      {"Macd", {12, 26}, "invalid parameters for indicator MacdIndicator: missing parameter #2"},
      // All reads happen before any check: a missing #2 beats an out-of-range #0.
      {"Kama", {16777217, 2}, "invalid parameters for indicator Kama: missing parameter #2"},
      {"Jma", {10, 0, 1.5}, "invalid parameters for indicator Jma: parameter #2 must be a u32, got 1.5"},
      {"Jma", {10, 0, -1}, "invalid parameters for indicator Jma: parameter #2 must be a u32, got -1"},
      {"Jma", {10, 0, 4294967296}, "invalid parameters for indicator Jma: parameter #2 must be a u32, got 4294967296"},
      {"SessionVwap", {2147483648}, "invalid parameters for indicator SessionVwap: parameter #0 must be an i32, got 2147483648"},
      {"SessionVwap", {-2147483649}, "invalid parameters for indicator SessionVwap: parameter #0 must be an i32, got -2147483649"},
      {"SessionVwap", {0.5}, "invalid parameters for indicator SessionVwap: parameter #0 must be an i32, got 0.5"},
      {"SessionVwap", {1e20}, "invalid parameters for indicator SessionVwap: parameter #0 must be an i32, got 100000000000000000000"},
      {"Alma", {9, NaN, 6}, "invalid parameters for indicator Alma: parameter #1 must be finite"},
  };
  for (const auto& c : cases) EXPECT_EQ(failure(c.name, c.params), c.text) << c.name;
}

TEST(Factory, DecodingByKind) {
  using detail::decode_params;
  const std::vector<double> params = {1.0000000000000002, -2147483648, -0.0, 4294967295, 1e300};
  auto d = decode_params("PIUUP", params);
  ASSERT_TRUE(d.has_value()) << d.error();
  EXPECT_EQ((*d)[0].positive, 1u);
  EXPECT_EQ((*d)[1].i32, INT32_MIN);
  EXPECT_EQ((*d)[2].u32, 0u);  // -0 passes as 0
  EXPECT_EQ((*d)[3].u32, UINT32_MAX);
  EXPECT_EQ((*d)[4].positive, UINT64_MAX);  // saturates
  auto r = decode_params("R", std::vector<double>{-1.5});
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ((*r)[0].real, -1.5);
  // Surplus elements are ignored without a message; "" reads nothing.
  EXPECT_TRUE(decode_params("", std::vector<double>{NaN, NaN}).has_value());
}

TEST(Factory, ParameterTexts) {
  const std::pair<double, const char*> cases[] = {
      {2.5, "2.5"},   {-1, "-1"},          {-0.0, "-0"},
      {0.000001, "0.000001"}, {1e20, "100000000000000000000"}, {0.1, "0.1"},
      {123456789.125, "123456789.125"}, {1.0000000000000002, "1.0000000000000002"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(format_param(x), text);
  EXPECT_EQ(format_param(5e-324), "0." + std::string(323, '0') + "5");
}

TEST(Factory, AliasBuildsTheSameTypeAsItsCanonicalName) {
  EXPECT_EQ(resolve_alias("Bollinger"), "BollingerBands");
  EXPECT_EQ(resolve_alias("Macd"), "MacdIndicator");
  EXPECT_EQ(resolve_alias("Sma"), "Sma");
  EXPECT_EQ(resolve_alias("bollinger"), "bollinger");
  for (const Alias& a : ALIASES) {
    const auto* canonical = find_catalog_entry(a.canonical);
    ASSERT_NE(canonical, nullptr);
    EXPECT_EQ(find_catalog_entry(a.alias), nullptr);
  }
}

TEST(Factory, FeedKindOf) {
  const std::pair<const char*, std::optional<FeedKind>> cases[] = {
      {"Sma", FeedKind::Kline},          {"Vpin", FeedKind::Trade},
      {"Microprice", FeedKind::Orderbook}, {"KylesLambda", FeedKind::TradeQuote},
      {"FundingRate", FeedKind::Derivatives}, {"Trin", FeedKind::CrossSection},
      {"EstimatedLeverageRatio", FeedKind::Kline},
      {"Bollinger", std::nullopt},       {"Macd", std::nullopt},
      {"Foo", std::nullopt},             {"", std::nullopt},
  };
  for (const auto& [name, kind] : cases) EXPECT_EQ(feed_kind_of(name), kind) << name;
}

// ---------------------------------------------------------------------------------------------------
// The name table and the registry

TEST(Catalog, TableShape) {
  const auto cat = catalog();
  ASSERT_EQ(cat.size(), 495u);
  std::map<FeedKind, int> feeds;
  std::map<std::string_view, int> signatures;
  for (std::size_t i = 0; i < cat.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(cat[i - 1].name, cat[i].name);
    }
    EXPECT_GE(cat[i].name.size(), 2u);
    EXPECT_LE(cat[i].name.size(), 26u);
    ++feeds[cat[i].feed];
    ++signatures[cat[i].signature];
    EXPECT_EQ(feed_kind_of(cat[i].name), cat[i].feed);
    EXPECT_EQ(find_catalog_entry(cat[i].name), &cat[i]);
  }
  EXPECT_EQ(feeds[FeedKind::Kline], 446);
  EXPECT_EQ(feeds[FeedKind::Trade], 8);
  EXPECT_EQ(feeds[FeedKind::Orderbook], 7);
  EXPECT_EQ(feeds[FeedKind::TradeQuote], 3);
  EXPECT_EQ(feeds[FeedKind::Derivatives], 16);
  EXPECT_EQ(feeds[FeedKind::CrossSection], 15);
  const std::map<std::string_view, int> expected = {
      {"P", 183},  {"", 166},  {"PP", 51},  {"PR", 33},  {"PPP", 15}, {"R", 11},       {"I", 6},
      {"PPR", 6},  {"PPPP", 5}, {"PRR", 5}, {"RR", 4},   {"RRR", 2},  {"PI", 1},       {"PPPPPPPPP", 1},
      {"PPPR", 1}, {"PRP", 1},  {"PRU", 1}, {"RP", 1},   {"RRRRRRRR", 1}, {"UUI", 1},
  };
  EXPECT_EQ(signatures, expected);
}

// Every family's rows and pending names together cover the name table exactly once, and every
// registered row agrees with the table: same feed kind, same decoded signature.
TEST(Registry, FamiliesCoverTheNameTable) {
  std::map<std::string_view, int> seen;
  int built = 0;
  for (auto table_fn : detail::FAMILY_TABLES) {
    const detail::FamilyTable t = table_fn();
    for (const auto& e : t.entries) {
      ++seen[e.name];
      ++built;
      const CatalogEntry* c = find_catalog_entry(e.name);
      ASSERT_NE(c, nullptr) << e.name << " is not a canonical type name";
      EXPECT_EQ(e.feed, c->feed) << e.name;
      EXPECT_EQ(e.signature_text(), c->signature) << e.name;
      EXPECT_TRUE(c->built) << e.name;
      EXPECT_EQ(c->outputs.size(), e.outputs.size()) << e.name;
    }
    for (std::string_view name : t.pending) {
      ++seen[name];
      const CatalogEntry* c = find_catalog_entry(name);
      ASSERT_NE(c, nullptr) << name << " is not a canonical type name";
      EXPECT_FALSE(c->built) << name << " is both registered and pending";
    }
  }
  for (const auto& [name, count] : seen) EXPECT_EQ(count, 1) << name;
  EXPECT_EQ(seen.size(), 495u);
  EXPECT_GE(built, 4);
}

// The 91 types that publish named outputs, and the outputs of the rows the name table spells out.
TEST(Registry, NamedOutputsOfBuiltTypes) {
  static const std::set<std::string_view> with_outputs = {
      "AccelerationBands", "Adx", "Alligator", "AndrewsPitchfork", "Aroon", "AtrBands",
      "AtrRatchet", "AutoFib", "BollingerBands", "BomarBands", "Camarilla", "CandleVolume",
      "CentralPivotRange", "ChandeKrollStop", "ChandelierExit", "ClassicPivots", "Cointegration",
      "CompositeProfile", "DemarkPivots", "Donchian", "DonchianStop", "DoubleBollinger", "ElderRay",
      "ElderSafeZone", "Equivolume", "FibArcs", "FibChannel", "FibConfluence", "FibExtension",
      "FibFan", "FibProjection", "FibRetracement", "FibTimeZones", "FibonacciPivots",
      "FractalChaosBands", "GatorOscillator", "GoldenPocket", "HeikinAshi", "HighLowVolumeNodes",
      "HtPhasor", "HurstChannel", "InitialBalance", "KalmanHedgeRatio", "KaseDevStop",
      "KasePermissionStochastic", "Keltner", "Kst", "LeadLagCrossCorrelation", "LinRegChannel",
      "LiquidationFeatures", "MaEnvelope", "MacdFix", "MacdIndicator", "Mama", "MedianChannel",
      "ModifiedMaStop", "MurreyMathLines", "Nrtr", "OpeningRange", "OvernightIntradayReturn",
      "ProjectionBands", "Qqe", "QuartileBands", "RelativeStrengthAB", "Rwi", "SessionHighLow",
      "SessionRange", "SmoothedHeikinAshi", "SpreadBollingerBands", "StandardErrorBands",
      "StarcBands", "Stochastic", "SuperTrend", "TdLines", "TdMovingAverage", "TdRangeProjection",
      "TdRiskLevel", "TdSequential", "TpoProfile", "TtmSqueeze", "ValueArea", "VolatilityCone",
      "VolumeProfile", "VolumeWeightedMacd", "VolumeWeightedSr", "Vortex", "VwapStdDevBands",
      "WaveTrend", "WoodiePivots", "ZeroLagMacd", "ZigZag",
  };
  static const std::map<std::string_view, std::vector<std::string_view>> telling = {
      {"BollingerBands", {"upper", "middle", "lower", "stddev"}},
      {"MacdIndicator", {"macd", "signal", "histogram"}},
      {"MacdFix", {"macd", "signal", "histogram"}},
      {"ZeroLagMacd", {"macd", "signal", "histogram"}},
      {"VolumeWeightedMacd", {"macd", "signal", "histogram"}},
      {"Adx", {"plus_di", "minus_di", "adx"}},
      {"Stochastic", {"k", "d"}},
      {"Aroon", {"up", "down"}},
      {"Keltner", {"upper", "middle", "lower"}},
      {"Donchian", {"upper", "middle", "lower"}},
      {"SuperTrend", {"value", "direction"}},
      {"Alligator", {"jaw", "teeth", "lips"}},
      {"HeikinAshi", {"open", "high", "low", "close"}},
      {"ClassicPivots", {"pp", "r1", "r2", "r3", "s1", "s2", "s3"}},
      {"Camarilla", {"pp", "r1", "r2", "r3", "r4", "s1", "s2", "s3", "s4"}},
      {"FibRetracement", {"level_0", "level_236", "level_382", "level_500", "level_618", "level_786", "level_1000"}},
      {"FibExtension", {"level_1272", "level_1414", "level_1618", "level_2000", "level_2618"}},
      {"MurreyMathLines", {"mm8_8", "mm7_8", "mm6_8", "mm5_8", "mm4_8", "mm3_8", "mm2_8", "mm1_8", "mm0_8"}},
      {"DoubleBollinger", {"upper_outer", "upper_inner", "middle", "lower_inner", "lower_outer"}},
      {"VolatilityCone", {"current", "min", "median", "max", "percentile"}},
      {"LiquidationFeatures", {"long", "short", "net", "total", "imbalance"}},
      {"TdSequential", {"setup", "countdown", "direction"}},
      {"SessionRange", {"asia", "eu", "us"}},
      {"Cointegration", {"hedge_ratio", "spread", "adf_stat"}},
      {"ValueArea", {"poc", "vah", "val"}},
      {"LeadLagCrossCorrelation", {"correlation"}},
  };
  EXPECT_EQ(with_outputs.size(), 91u);
  for (const auto& c : catalog()) {
    if (!c.built) continue;
    EXPECT_EQ(!c.outputs.empty(), with_outputs.contains(c.name)) << c.name;
    for (std::string_view o : c.outputs) {
      EXPECT_FALSE(o.empty()) << c.name;
      for (char ch : o) EXPECT_TRUE((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_') << c.name;
    }
    if (auto it = telling.find(c.name); it != telling.end()) {
      EXPECT_EQ(std::vector<std::string_view>(c.outputs.begin(), c.outputs.end()), it->second) << c.name;
    }
  }
}

std::vector<double> valid_params(const CatalogEntry& c) { return sample_params(c, 3); }

// Every accepted name (495 canonical plus 2 aliases) either builds with valid parameters or is
// pending in its family; built types answer on a long enough series of bars only from their feed.
TEST(Registry, EveryAcceptedNameBuildsOrIsPending) {
  std::set<std::string_view> pending;
  for (auto table_fn : detail::FAMILY_TABLES) {
    for (std::string_view n : table_fn().pending) pending.insert(n);
  }
  std::vector<std::string_view> names;
  for (const auto& c : catalog()) names.push_back(c.name);
  for (const Alias& a : ALIASES) names.push_back(a.alias);
  ASSERT_EQ(names.size(), 497u);
  for (std::string_view name : names) {
    const CatalogEntry* c = find_catalog_entry(resolve_alias(name));
    ASSERT_NE(c, nullptr) << name;
    const auto params = valid_params(*c);
    auto made = create_indicator(name, params);
    if (pending.contains(c->name)) {
      EXPECT_FALSE(c->built);
      continue;
    }
    ASSERT_TRUE(made.has_value()) << name << ": " << made.error().display();
    EXPECT_TRUE(c->built) << name;
    EXPECT_GE((*made)->warmup_period(), 1u) << name;
  }
}

// ---------------------------------------------------------------------------------------------------
// Adapters

BarContext bar(double close) {
  BarContext ctx;
  ctx.candle = Candle{0, close, close, close, close, 1.0};
  return ctx;
}

TEST(Adapter, ScalarSkipsNonFiniteCloseWithoutCountingIt) {
  auto sma = std::move(*create_indicator("Sma", std::vector<double>{2}));
  EXPECT_FALSE(sma->update(bar(1)).has_value());
  BarContext nan_bar = bar(1);
  nan_bar.candle.close = NaN;
  EXPECT_FALSE(sma->update(nan_bar).has_value());
  nan_bar.candle.close = Inf;
  EXPECT_FALSE(sma->update(nan_bar).has_value());
  EXPECT_EQ(sma->update(bar(3)), 2.0);
  EXPECT_TRUE(sma->extra_outputs().empty());
  EXPECT_EQ(sma->warmup_period(), 2u);
}

TEST(Adapter, EveryBuiltTypeIsSilentOnBarsWithoutItsFeed) {
  // A run built from candles alone: trade, book, derivatives, cross-section and pair types never
  // answer; kline types eventually do (the engine decides when from warmup_period()).
  for (const auto& c : catalog()) {
    if (!c.built || c.feed == FeedKind::Kline) continue;
    auto ind = std::move(*create_indicator(c.name, valid_params(c)));
    for (int i = 0; i < 50; ++i) {
      EXPECT_FALSE(ind->update(bar(100 + i)).has_value()) << c.name;
      EXPECT_TRUE(ind->extra_outputs().empty()) << c.name;
    }
  }
}

}  // namespace
}  // namespace sorvik

// Ranges, bands and channels, the range-based volatility measures and the squeeze.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/bands/atr.hpp"
#include "indicators/bands/atr_bands.hpp"
#include "indicators/bands/average_daily_range.hpp"
#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/bands/bomar_bands.hpp"
#include "indicators/bands/chaikin_volatility.hpp"
#include "indicators/bands/fractal_chaos_bands.hpp"
#include "indicators/bands/keltner.hpp"
#include "indicators/bands/mass_index.hpp"
#include "indicators/bands/median_channel.hpp"
#include "indicators/bands/natr.hpp"
#include "indicators/bands/projection_bands.hpp"
#include "indicators/bands/quartile_bands.hpp"
#include "indicators/bands/true_range.hpp"
#include "indicators/bands/ttm_squeeze.hpp"
#include "indicators/bands/volatility_ratio.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

constexpr std::int64_t DAY_MS = 86'400'000;

Candle candle(double o, double h, double l, double c, std::int64_t time = 0) {
  return Candle{time, o, h, l, c, 1.0};
}

/// A deterministic wavy series of valid candles, one day apart.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return candle(o, std::max(o, c) + 1.5 + 0.5 * std::cos(i * 0.9), std::min(o, c) - 1.0 - 0.25 * std::sin(i * 1.3), c,
                i * DAY_MS);
}

// ---------------------------------------------------------------------------------------------------
// The whole family through the factory

struct Member {
  const char* name;
  std::vector<double> params;
  std::uint64_t warmup;
  bool scalar;  // reads the close only (a bar with an invalid range but a finite close still counts)
};

const std::vector<Member>& members() {
  static const std::vector<Member> m = {
      {"TrueRange", {}, 1, false},
      {"HighLowRange", {}, 1, false},
      {"Atr", {3}, 3, false},
      {"Natr", {3}, 3, false},
      {"AtrBands", {3, 2}, 3, false},
      {"BollingerBands", {5, 2}, 5, true},
      {"Bollinger", {5, 2}, 5, true},
      {"BollingerBandwidth", {5, 2}, 5, true},
      {"PercentB", {5, 2}, 5, true},
      {"DoubleBollinger", {5, 1, 2}, 5, true},
      {"Keltner", {4, 6, 2}, 6, false},
      {"Keltner", {6, 4, 2}, 6, false},
      {"StarcBands", {4, 6, 2}, 6, false},
      {"StarcBands", {6, 4, 2}, 6, false},
      {"Donchian", {4}, 4, false},
      {"AccelerationBands", {4, 2}, 4, false},
      {"MaEnvelope", {4, 0.05}, 4, true},
      {"MedianChannel", {4, 2}, 4, true},
      {"QuartileBands", {4}, 4, true},
      {"BomarBands", {4, 0.8}, 4, true},
      {"ProjectionBands", {4}, 4, false},
      {"HurstChannel", {4, 0.5}, 4, false},
      {"ChaikinVolatility", {4, 3}, 7, false},
      {"MassIndex", {3, 4}, 8, false},
      {"VolatilityRatio", {4}, 6, false},
      {"TtmSqueeze", {5, 2, 1.5}, 5, false},
      {"AverageDailyRange", {4, 0}, 4, false},  // wave bars are one day apart: yields from bar 2
      {"FractalChaosBands", {2}, 5, false},     // yields once a fractal high and low exist
  };
  return m;
}

std::uint64_t first_yield(const Member& m) {
  const std::string n = m.name;
  if (n == "AverageDailyRange") return 2;
  if (n == "FractalChaosBands") return 0;  // data-dependent, checked separately
  return m.warmup;
}

TEST(Bands, FirstValueAtWarmupThenEveryBar) {
  for (const auto& m : members()) {
    auto ind = make(m.name, m.params);
    ASSERT_TRUE(ind) << m.name;
    EXPECT_EQ(ind->warmup_period(), m.warmup) << m.name;
    const std::uint64_t first = first_yield(m);
    bool yielded = false;
    for (int i = 1; i <= 80; ++i) {
      const auto v = ind->update(bar(wave(i)));
      if (first != 0) {
        EXPECT_EQ(v.has_value(), static_cast<std::uint64_t>(i) >= first) << m.name << " bar " << i;
      }
      if (!v) {
        EXPECT_FALSE(yielded) << m.name << ": gap at bar " << i;
        continue;
      }
      yielded = true;
      EXPECT_TRUE(std::isfinite(*v)) << m.name << " bar " << i;
    }
    EXPECT_TRUE(yielded) << m.name;
  }
}

// Bars that the adapters refuse (a non-finite close; for candle members also an inverted range)
// neither count towards the warm-up nor change any later value.
TEST(Bands, RefusedBarsChangeNothing) {
  const int bad_after[] = {0, 1, 4, 9, 15};
  for (const auto& m : members()) {
    auto clean = make(m.name, m.params);
    auto noisy = make(m.name, m.params);
    ASSERT_TRUE(clean && noisy) << m.name;
    for (int i = 1; i <= 40; ++i) {
      if (std::find(std::begin(bad_after), std::end(bad_after), i - 1) != std::end(bad_after)) {
        Candle nan_close = wave(i);
        nan_close.close = NaN;
        EXPECT_FALSE(noisy->update(bar(nan_close)).has_value()) << m.name;
        Candle inf_close = wave(i);
        inf_close.close = Inf;
        EXPECT_FALSE(noisy->update(bar(inf_close)).has_value()) << m.name;
        if (!m.scalar) {
          Candle inverted = wave(i);
          std::swap(inverted.high, inverted.low);
          EXPECT_FALSE(noisy->update(bar(inverted)).has_value()) << m.name;
          Candle negative_volume = wave(i);
          negative_volume.volume = -1.0;
          EXPECT_FALSE(noisy->update(bar(negative_volume)).has_value()) << m.name;
        }
      }
      const auto a = clean->update(bar(wave(i)));
      const auto b = noisy->update(bar(wave(i)));
      EXPECT_EQ(a, b) << m.name << " bar " << i;
      const auto ea = clean->extra_outputs();
      const auto eb = noisy->extra_outputs();
      EXPECT_TRUE(std::equal(ea.begin(), ea.end(), eb.begin(), eb.end())) << m.name << " bar " << i;
    }
  }
}

TEST(Bands, NamedOutputsInOrderWithTheFirstAsPrimary) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::vector<std::string_view> names;
  };
  const Case cases[] = {
      {"AtrBands", {3, 2}, {"upper", "middle", "lower"}},
      {"BollingerBands", {5, 2}, {"upper", "middle", "lower", "stddev"}},
      {"Bollinger", {5, 2}, {"upper", "middle", "lower", "stddev"}},
      {"DoubleBollinger", {5, 1, 2}, {"upper_outer", "upper_inner", "middle", "lower_inner", "lower_outer"}},
      {"Keltner", {4, 4, 2}, {"upper", "middle", "lower"}},
      {"StarcBands", {4, 4, 2}, {"upper", "middle", "lower"}},
      {"Donchian", {4}, {"upper", "middle", "lower"}},
      {"AccelerationBands", {4, 2}, {"upper", "middle", "lower"}},
      {"MaEnvelope", {4, 0.05}, {"upper", "middle", "lower"}},
      {"MedianChannel", {4, 2}, {"upper", "middle", "lower"}},
      {"QuartileBands", {4}, {"upper", "middle", "lower"}},
      {"BomarBands", {4, 0.8}, {"upper", "middle", "lower"}},
      {"ProjectionBands", {4}, {"upper", "middle", "lower"}},
      {"FractalChaosBands", {2}, {"upper", "lower"}},
      {"HurstChannel", {4, 0.5}, {"upper", "middle", "lower"}},
      {"TtmSqueeze", {5, 2, 1.5}, {"squeeze", "momentum"}},
  };
  for (const auto& c : cases) {
    auto ind = make(c.name, c.params);
    ASSERT_TRUE(ind) << c.name;
    const CatalogEntry* entry = find_catalog_entry(resolve_alias(c.name));
    ASSERT_NE(entry, nullptr) << c.name;
    EXPECT_TRUE(std::equal(entry->outputs.begin(), entry->outputs.end(), c.names.begin(), c.names.end()))
        << c.name;
    int yields = 0;
    for (int i = 1; i <= 40; ++i) {
      const auto v = ind->update(bar(wave(i)));
      const auto named = ind->extra_outputs();
      if (!v) {
        EXPECT_TRUE(named.empty()) << c.name << " bar " << i;
        continue;
      }
      ++yields;
      ASSERT_EQ(named.size(), c.names.size()) << c.name;
      for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].name, c.names[k]) << c.name;
      EXPECT_EQ(named[0].value, *v) << c.name;
    }
    EXPECT_GT(yields, 0) << c.name;
  }
  // Single-output members publish no named values.
  for (const char* name : {"TrueRange", "Atr", "Natr", "PercentB", "BollingerBandwidth", "MassIndex"}) {
    const CatalogEntry* entry = find_catalog_entry(name);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->outputs.empty()) << name;
  }
}

TEST(Bands, BollingerAliasBuildsTheSameIndicator) {
  auto alias = make("Bollinger", {4, 1.5});
  auto canonical = make("BollingerBands", {4, 1.5});
  ASSERT_TRUE(alias && canonical);
  for (int i = 1; i <= 30; ++i) {
    EXPECT_EQ(alias->update(bar(wave(i))), canonical->update(bar(wave(i))));
    const auto a = alias->extra_outputs();
    const auto b = canonical->extra_outputs();
    EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end()));
  }
  EXPECT_EQ(create_indicator("Bollinger", std::vector<double>{20}).error().display(),
            "invalid parameters for indicator BollingerBands: missing parameter #1");
}

// ---------------------------------------------------------------------------------------------------
// Constructor checks, in order, through the displayed text

TEST(Bands, ConstructorMessagesInCheckOrder) {
  const std::string too_long = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string multiplier = "multiplier must be greater than zero";
  const std::string bomar = "invalid parameter: bomar bands coverage must be a finite value in (0.0, 1.0]";
  const std::string ttm = "invalid period: TTM squeeze needs period >= 2 for the momentum regression";
  const std::string projection = "invalid period: projection bands need period >= 2";
  const std::string double_k = "invalid period: double bollinger requires k_outer > k_inner";
  struct Case {
    const char* name;
    std::vector<double> params;
    std::string text;  // empty: builds
  };
  const Case cases[] = {
      {"Atr", {16777217}, too_long},
      {"Atr", {16777216}, ""},
      {"Natr", {16777217}, too_long},
      {"AtrBands", {16777217, 2}, too_long},
      {"BollingerBands", {16777217, 0}, too_long},  // the period before k
      {"BollingerBands", {20, 0}, multiplier},
      {"BollingerBands", {20, -2}, multiplier},
      {"Bollinger", {20, 0}, multiplier},
      {"BollingerBandwidth", {20, 0}, multiplier},
      {"PercentB", {16777217, -1}, too_long},
      {"PercentB", {20, -1}, multiplier},
      {"DoubleBollinger", {16777217, 0, 0}, too_long},
      {"DoubleBollinger", {20, 0, 1}, multiplier},
      {"DoubleBollinger", {20, 3, 0}, multiplier},  // both positive before their order
      {"DoubleBollinger", {20, 2, 2}, double_k},
      {"DoubleBollinger", {20, 3, 2}, double_k},
      {"DoubleBollinger", {20, 1, 2}, ""},
      {"Keltner", {16777217, 16777218, 2}, too_long},
      {"Keltner", {20, 16777217, 2}, too_long},
      {"StarcBands", {16777217, 16777217, 0}, multiplier},  // the multiplier first
      {"StarcBands", {16777217, 10, 2}, too_long},
      {"StarcBands", {10, 16777217, 2}, too_long},
      {"MaEnvelope", {16777217, 0}, multiplier},  // percent first
      {"MaEnvelope", {16777217, 0.025}, too_long},
      {"MaEnvelope", {20, -0.025}, multiplier},
      {"MedianChannel", {16777217, 0}, too_long},  // the period first
      {"MedianChannel", {20, 0}, multiplier},
      {"BomarBands", {16777217, 2}, too_long},
      {"BomarBands", {20, 0}, bomar},
      {"BomarBands", {20, -0.5}, bomar},
      {"BomarBands", {20, 1.0000001}, bomar},
      {"BomarBands", {20, 1}, ""},
      {"ProjectionBands", {1}, projection},
      {"ProjectionBands", {16777217}, too_long},
      {"ProjectionBands", {2}, ""},
      {"HurstChannel", {16777217, 0}, multiplier},  // width first
      {"HurstChannel", {16777217, 1}, too_long},
      {"Donchian", {16777217}, too_long},
      {"AccelerationBands", {16777217, 2}, too_long},
      {"QuartileBands", {16777217}, too_long},
      {"FractalChaosBands", {16777217}, too_long},
      {"FractalChaosBands", {16777216}, ""},
      {"ChaikinVolatility", {16777217, 16777218}, too_long},
      {"ChaikinVolatility", {10, 16777217}, too_long},
      {"MassIndex", {16777217, 25}, too_long},
      {"MassIndex", {9, 16777217}, ""},  // the sum period is tested for zero only
      {"VolatilityRatio", {16777217}, too_long},
      {"AverageDailyRange", {16777217, 0}, too_long},
      {"AverageDailyRange", {5, -300}, ""},
      {"TtmSqueeze", {1, 2, 1.5}, ttm},
      {"TtmSqueeze", {16777217, 0, 0}, too_long},
      {"TtmSqueeze", {20, 0, 1.5}, multiplier},
      {"TtmSqueeze", {20, 2, -1.5}, multiplier},
      {"TtmSqueeze", {2, 2, 1.5}, ""},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text.empty()) {
      EXPECT_TRUE(made.has_value()) << c.name << ": " << (made ? "" : made.error().display());
      continue;
    }
    ASSERT_FALSE(made.has_value()) << c.name;
    EXPECT_EQ(made.error().display(),
              "invalid parameters for indicator " + std::string(resolve_alias(c.name)) + ": " + c.text);
  }

  // Zeros and non-finite reals the factory's readers stop before they reach a constructor.
  const std::string zero = "period must be greater than zero";
  EXPECT_EQ(Atr::create(0).error().display(), zero);
  EXPECT_EQ(BollingerBands::create(0, 0).error().display(), zero);
  EXPECT_EQ(BollingerBands::create(5, NaN).error().display(), multiplier);
  EXPECT_EQ(BollingerBands::create(5, Inf).error().display(), multiplier);
  EXPECT_EQ(Keltner::create(0, 16777217, 2).error().display(), zero);
  EXPECT_EQ(ChaikinVolatility::create(0, 16777217).error().display(), zero);
  EXPECT_EQ(ChaikinVolatility::create(16777217, 0).error().display(), too_long);
  EXPECT_EQ(MassIndex::create(16777217, 0).error().display(), too_long);
  EXPECT_EQ(MassIndex::create(3, 0).error().display(), zero);
  EXPECT_EQ(ProjectionBands::create(0).error().display(), projection);
  EXPECT_EQ(TtmSqueeze::create(0, 2, 1.5).error().display(), ttm);
  EXPECT_EQ(BomarBands::create(5, NaN).error().display(), bomar);
  EXPECT_EQ(MedianChannel::create(5, Inf).error().display(), multiplier);
}

// ---------------------------------------------------------------------------------------------------
// True range and ATR

TEST(Bands, TrueRangeUsesThePreviousClose) {
  TrueRange tr;
  EXPECT_EQ(tr.update(candle(10, 12, 9, 11)), 3.0);   // first bar: high - low
  EXPECT_EQ(tr.update(candle(15, 16, 15, 15.5)), 5.0);  // gap up: high - previous close
  EXPECT_EQ(tr.update(candle(10, 11, 8, 9)), 7.5);    // gap down: previous close - low
  EXPECT_EQ(tr.update(candle(9, 12, 8, 10)), 4.0);    // inside: high - low

  auto hlr = make("HighLowRange", {});
  ASSERT_TRUE(hlr);
  EXPECT_EQ(hlr->warmup_period(), 1u);
  EXPECT_EQ(hlr->update(bar(candle(10, 12, 9, 11))), 3.0);
  EXPECT_EQ(hlr->update(bar(candle(15, 16, 15, 15.5))), 1.0);  // no gap term
}

TEST(Bands, AtrSeedsWithTheMeanThenWilderReciprocalStep) {
  // True ranges 1, 2, 3 (flat previous closes), then 6.
  Atr atr(3);
  EXPECT_FALSE(atr.update(candle(10, 10.5, 9.5, 10)).has_value());
  EXPECT_FALSE(atr.update(candle(10, 11, 9, 10)).has_value());
  EXPECT_EQ(atr.update(candle(10, 11.5, 8.5, 10)), 2.0);
  EXPECT_EQ(atr.update(candle(10, 13, 7, 10)), std::fma(2.0, 2.0, 6.0) * (1.0 / 3.0));
  EXPECT_EQ(atr.value(), std::fma(2.0, 2.0, 6.0) * (1.0 / 3.0));
  EXPECT_EQ(atr.last_true_range(), 6.0);
}

TEST(Bands, NatrAndAtrBandsAroundTheClose) {
  const Candle bars[] = {candle(10, 10.5, 9.5, 10), candle(10, 11, 9, 10), candle(10, 11.5, 8.5, 10.5),
                         candle(10, 13, 7, 8)};
  const double atr3 = 2.0;  // true ranges 1, 2, 3
  auto natr = make("Natr", {3});
  auto bands = make("AtrBands", {3, 1.5});
  ASSERT_TRUE(natr && bands);
  std::optional<double> n, b;
  for (int i = 0; i < 3; ++i) {
    n = natr->update(bar(bars[i]));
    b = bands->update(bar(bars[i]));
  }
  EXPECT_EQ(n, atr3 / 10.5 * 100.0);
  EXPECT_EQ(b, 10.5 + atr3 * 1.5);
  EXPECT_EQ(bands->extra_outputs()[1].value, 10.5);
  EXPECT_EQ(bands->extra_outputs()[2].value, 10.5 - atr3 * 1.5);
  // Fourth bar: true range max(6, |13 - 10.5|, |7 - 10.5|) = 6.
  const double atr_next = std::fma(atr3, 2.0, 6.0) * (1.0 / 3.0);
  EXPECT_EQ(natr->update(bar(bars[3])), atr_next / 8.0 * 100.0);
  EXPECT_EQ(bands->update(bar(bars[3])), 8.0 + atr_next * 1.5);
}

TEST(Bands, NatrOnAZeroCloseIsZero) {
  Natr natr(2);
  EXPECT_FALSE(natr.update(candle(1, 2, 0, 1)).has_value());
  EXPECT_EQ(natr.update(candle(1, 1, 0, 0)), 0.0);
  EXPECT_EQ(natr.update(candle(-1, 0, -2, -1)), std::fma(1.5, 1.0, 2.0) * 0.5 / -1.0 * 100.0);
}

// ---------------------------------------------------------------------------------------------------
// Bollinger core

TEST(Bands, BollingerUsesThePopulationDeviationAboutAShiftedMean) {
  auto bb = make("BollingerBands", {3, 2});
  ASSERT_TRUE(bb);
  EXPECT_FALSE(bb->update(bar(flat(1))).has_value());
  EXPECT_FALSE(bb->update(bar(flat(2))).has_value());
  // 1, 2, 3: mean 2, population variance 2/3 (the sample variance would be 1).
  const double sd = std::sqrt(2.0 / 3.0);
  EXPECT_EQ(bb->update(bar(flat(3))), 2.0 + 2.0 * sd);
  auto named = bb->extra_outputs();
  EXPECT_EQ(named[1].value, 2.0);
  EXPECT_EQ(named[2].value, 2.0 - 2.0 * sd);
  EXPECT_EQ(named[3].value, sd);
  // The third push moved the shift to the mean 2 (S1 = 0, S2 = 2). Pushing 5 drops 1:
  // S1 = (0 - (1 - 2)) + (5 - 2) = 4, S2 = (2 - 1) + 9 = 10; d = 4/3.
  const double d = 4.0 / 3.0;
  const double var = 10.0 / 3.0 - d * d;  // 14/9 for the window 2, 3, 5
  EXPECT_EQ(bb->update(bar(flat(5))), (2.0 + d) + 2.0 * std::sqrt(var));
  named = bb->extra_outputs();
  EXPECT_EQ(named[1].value, 2.0 + d);
  EXPECT_EQ(named[3].value, std::sqrt(var));
}

TEST(Bands, BollingerStaysExactFarFromZero) {
  // The shift starts at the first close (0); the closes then jump to 1e9 with a spread of 1.
  // Every n pushes the shift moves to the window mean, so from the first re-centring on a window
  // of the new closes (push 6) the deviation is exact, where sums about 0 (or sum(x^2) / n -
  // mean^2) would lose it entirely.
  BollingerBands bb(3, 1);
  EXPECT_FALSE(bb.update(0.0).has_value());
  for (int i = 1; i < 200; ++i) {
    const auto v = bb.update(1e9 + static_cast<double>(i % 3));
    if (i < 5) continue;
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ((*v)[1], 1e9 + 1.0) << i;
    EXPECT_EQ((*v)[3], std::sqrt(2.0 / 3.0)) << i;
  }
}

TEST(Bands, BollingerDerivedValuesAndGuards) {
  const double sd = std::sqrt(2.0 / 3.0);
  const double upper = 2.0 + 2.0 * sd, lower = 2.0 - 2.0 * sd;
  struct Case {
    const char* name;
    std::vector<double> params;
    std::vector<double> closes;
    double expected;
  };
  const Case cases[] = {
      {"BollingerBandwidth", {3, 2}, {1, 2, 3}, (upper - lower) / 2.0},
      {"BollingerBandwidth", {3, 2}, {0, 0, 0}, 0.0},   // zero-mean constant series
      {"BollingerBandwidth", {3, 2}, {-1, 0, 1}, 0.0},  // zero middle, non-zero spread
      {"PercentB", {3, 2}, {1, 2, 3}, (3.0 - lower) / (upper - lower)},
      {"PercentB", {3, 2}, {7, 7, 7}, 0.5},  // bands coincide
      {"PercentB", {3, 2}, {7, 7, 7, 7, 7, 7, 7}, 0.5},
  };
  for (const auto& c : cases) {
    auto ind = make(c.name, c.params);
    ASSERT_TRUE(ind);
    std::optional<double> v;
    for (double x : c.closes) v = ind->update(bar(flat(x)));
    EXPECT_EQ(v, c.expected) << c.name;
  }

  auto dbl = make("DoubleBollinger", {3, 1, 2});
  ASSERT_TRUE(dbl);
  for (double x : {1.0, 2.0, 3.0}) dbl->update(bar(flat(x)));
  const auto named = dbl->extra_outputs();
  ASSERT_EQ(named.size(), 5u);
  const double expected[] = {2.0 + 2.0 * sd, 2.0 + 1.0 * sd, 2.0, 2.0 - 1.0 * sd, 2.0 - 2.0 * sd};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(named[i].value, expected[i]) << named[i].name;
}

// ---------------------------------------------------------------------------------------------------
// Channels around averages

TEST(Bands, KeltnerAndStarcWaitForBothAverages) {
  // True ranges 2, 2, 3, 3; closes 10, 11, 12, 13.
  const Candle bars[] = {candle(10, 11, 9, 10), candle(10, 12, 10, 11), candle(11, 13, 10, 12),
                         candle(12, 14, 11, 13)};
  const double atr3 = (2.0 + 2.0 + 3.0) / 3.0;
  const double atr4 = std::fma(atr3, 2.0, 3.0) * (1.0 / 3.0);
  const double alpha = 2.0 / 3.0;
  const double ema2 = (10.0 + 11.0) / 2.0;
  const double ema3 = std::fma(alpha, 12.0, (1.0 - alpha) * ema2);
  const double ema4 = std::fma(alpha, 13.0, (1.0 - alpha) * ema3);
  const double sma3 = (11.0 + 12.0) / 2.0;
  const double sma4 = (12.0 + 13.0) / 2.0;

  auto keltner = make("Keltner", {2, 3, 1.5});
  auto starc = make("StarcBands", {2, 3, 1.5});
  ASSERT_TRUE(keltner && starc);
  for (int i = 0; i < 2; ++i) {
    EXPECT_FALSE(keltner->update(bar(bars[i])).has_value());
    EXPECT_FALSE(starc->update(bar(bars[i])).has_value());
  }
  EXPECT_EQ(keltner->update(bar(bars[2])), ema3 + 1.5 * atr3);
  EXPECT_EQ(keltner->extra_outputs()[1].value, ema3);
  EXPECT_EQ(keltner->extra_outputs()[2].value, ema3 - 1.5 * atr3);
  EXPECT_EQ(keltner->update(bar(bars[3])), ema4 + 1.5 * atr4);
  EXPECT_EQ(starc->update(bar(bars[2])), sma3 + atr3 * 1.5);
  EXPECT_EQ(starc->extra_outputs()[2].value, sma3 - atr3 * 1.5);
  EXPECT_EQ(starc->update(bar(bars[3])), sma4 + atr4 * 1.5);
  EXPECT_EQ(starc->extra_outputs()[1].value, sma4);
}

TEST(Bands, EnvelopeAccelerationDonchianHurst) {
  auto env = make("MaEnvelope", {3, 0.1});
  ASSERT_TRUE(env);
  for (double x : {1.0, 2.0}) EXPECT_FALSE(env->update(bar(flat(x))).has_value());
  EXPECT_EQ(env->update(bar(flat(3))), (1.0 + 0.1) * 2.0);  // percent is a fraction, not percent units
  EXPECT_EQ(env->extra_outputs()[2].value, (1.0 - 0.1) * 2.0);

  // Acceleration bands: r = (h - l) / (h + l); a bar with h + l = 0 has r = 0.
  auto acc = make("AccelerationBands", {2, 2});
  ASSERT_TRUE(acc);
  const Candle a1 = candle(0, 1, -1, 0.5);
  const Candle a2 = candle(11, 12, 8, 10);
  EXPECT_FALSE(acc->update(bar(a1)).has_value());
  const double r2 = (12.0 - 8.0) / (12.0 + 8.0);
  const double up1 = std::fma(2.0, 0.0, 1.0) * 1.0, up2 = std::fma(2.0, r2, 1.0) * 12.0;
  const double lo1 = std::fma(-2.0, 0.0, 1.0) * -1.0, lo2 = std::fma(-2.0, r2, 1.0) * 8.0;
  EXPECT_EQ(acc->update(bar(a2)), (up1 + up2) / 2.0);
  EXPECT_EQ(acc->extra_outputs()[1].value, (0.5 + 10.0) / 2.0);
  EXPECT_EQ(acc->extra_outputs()[2].value, (lo1 + lo2) / 2.0);

  auto don = make("Donchian", {3});
  auto hurst = make("HurstChannel", {3, 0.25});
  ASSERT_TRUE(don && hurst);
  const Candle d[] = {candle(10, 15, 9, 12), candle(12, 13, 7, 8), candle(8, 11, 8, 10), candle(10, 12, 9, 11)};
  for (int i = 0; i < 2; ++i) {
    EXPECT_FALSE(don->update(bar(d[i])).has_value());
    EXPECT_FALSE(hurst->update(bar(d[i])).has_value());
  }
  EXPECT_EQ(don->update(bar(d[2])), 15.0);
  EXPECT_EQ(don->extra_outputs()[1].value, midpoint(15.0, 7.0));
  EXPECT_EQ(don->extra_outputs()[2].value, 7.0);
  EXPECT_EQ(don->update(bar(d[3])), 13.0);  // the 15 high left the window
  EXPECT_EQ(don->extra_outputs()[2].value, 7.0);
  const double sma3 = ((12.0 + 8.0) + 10.0) / 3.0;
  EXPECT_EQ(hurst->update(bar(d[2])), sma3 + (15.0 - 7.0) * 0.25);
  EXPECT_EQ(hurst->extra_outputs()[2].value, sma3 - (15.0 - 7.0) * 0.25);
}

// ---------------------------------------------------------------------------------------------------
// Quantile channels

TEST(Bands, QuantileChannelsInterpolate) {
  // Window 3, 1, 10, 2 -> sorted 1, 2, 3, 10.
  QuartileBands q(4);
  MedianChannel m(4, 2);
  BomarBands b(4, 0.5);
  std::optional<std::array<double, 3>> qv, mv, bv;
  for (double x : {3.0, 1.0, 10.0, 2.0}) {
    qv = q.update(x);
    mv = m.update(x);
    bv = b.update(x);
  }
  EXPECT_EQ(qv, (std::array<double, 3>{4.75, 2.5, 1.75}));
  // MAD: |x - 2.5| sorted 0.5, 0.5, 1.5, 7.5 -> median 1.0.
  EXPECT_EQ(mv, (std::array<double, 3>{2.5 + 1.0 * 2.0, 2.5, 2.5 - 1.0 * 2.0}));
  // Mean 4; |(x - 4) / 4| sorted 0.25, 0.5, 0.75, 1.5 -> quantile 0.5 = 0.625.
  EXPECT_EQ(bv, (std::array<double, 3>{4.0 + 4.0 * 0.625, 4.0, 4.0 - 4.0 * 0.625}));

  // The median of an odd window is its middle value; quantile 0.75 of 5 values is exact.
  QuartileBands q5(5);
  std::optional<std::array<double, 3>> q5v;
  for (double x : {9.0, -4.0, 0.0, 7.0, 1.0}) q5v = q5.update(x);
  EXPECT_EQ(q5v, (std::array<double, 3>{7.0, 1.0, 0.0}));

  // A negative mean scales by |mean|.
  BomarBands neg(4, 0.5);
  for (double x : {-3.0, -1.0, -10.0, -2.0}) bv = neg.update(x);
  EXPECT_EQ(bv, (std::array<double, 3>{-4.0 + 4.0 * 0.625, -4.0, -4.0 - 4.0 * 0.625}));
  // Coverage 1 takes the largest relative deviation.
  BomarBands full(4, 1.0);
  for (double x : {3.0, 1.0, 10.0, 2.0}) bv = full.update(x);
  EXPECT_EQ(bv, (std::array<double, 3>{4.0 + 4.0 * 1.5, 4.0, 4.0 - 4.0 * 1.5}));
}

TEST(Bands, QuantileChannelsDegenerateWindows) {
  MedianChannel m(3, 2);
  BomarBands b(4, 0.9);
  std::optional<std::array<double, 3>> mv, bv;
  for (double x : {5.0, 5.0, 5.0}) mv = m.update(x);
  EXPECT_EQ(mv, (std::array<double, 3>{5.0, 5.0, 5.0}));  // MAD 0
  for (double x : {-1.0, 1.0, -2.0, 2.0}) bv = b.update(x);
  EXPECT_EQ(bv, (std::array<double, 3>{0.0, 0.0, 0.0}));  // zero mean
}

// The deviations of a sorted window are read in order without sorting them; the result must equal
// sorting the deviations afresh.
TEST(Bands, DeviationQuantilesMatchASortedReference) {
  auto quantile = [](std::vector<double> s, double q) {
    std::sort(s.begin(), s.end());
    const std::size_t m = s.size();
    const double p = q * static_cast<double>(m - 1);
    const auto i = static_cast<std::size_t>(std::floor(p));
    return i < m - 1 ? (s[i + 1] - s[i]) * (p - static_cast<double>(i)) + s[i] : s[m - 1];
  };
  std::uint64_t state = 12345;
  auto next = [&] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 40) / static_cast<double>(1ull << 24);
  };
  for (std::uint64_t n : {1u, 2u, 3u, 4u, 7u, 10u}) {
    for (double coverage : {0.1, 0.5, 0.8, 1.0}) {
      MedianChannel mc(n, 1.5);
      BomarBands bb(n, coverage);
      std::vector<double> window;
      for (int i = 0; i < 120; ++i) {
        // Coarse values so that ties and values equal to the centre occur.
        const double x = std::round((next() - 0.4) * 8.0) * 0.5;
        window.push_back(x);
        if (window.size() > n) window.erase(window.begin());
        const auto mv = mc.update(x);
        const auto bv = bb.update(x);
        if (window.size() < n) continue;
        ASSERT_TRUE(mv && bv);
        const double middle = quantile(window, 0.5);
        std::vector<double> dev;
        for (double v : window) dev.push_back(std::fabs(v - middle));
        const double mad = quantile(dev, 0.5);
        EXPECT_EQ(*mv, (std::array<double, 3>{middle + mad * 1.5, middle, middle - mad * 1.5})) << n << " " << i;
        double sum = 0.0;
        for (double v : window) sum = sum + v;
        const double mean = sum / static_cast<double>(n);
        double t = 0.0;
        if (mean != 0.0) {
          std::vector<double> rel;
          for (double v : window) rel.push_back(std::fabs((v - mean) / std::fabs(mean)));
          t = quantile(rel, coverage);
        }
        EXPECT_EQ(*bv, (std::array<double, 3>{mean + std::fabs(mean) * t, mean, mean - std::fabs(mean) * t}))
            << n << " " << coverage << " " << i;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Projection and fractal bands

TEST(Bands, ProjectionBandsProjectEachBarToTheNewest) {
  // Highs 10, 12, 14 (slope 2), lows 8, 8, 11 (slope 1.5).
  ProjectionBands p(3);
  EXPECT_FALSE(p.update(hl(10, 8)).has_value());
  EXPECT_FALSE(p.update(hl(12, 8)).has_value());
  // Projected highs 2*2+10, 1*2+12, 14 -> 14; projected lows 2*1.5+8, 1.5+8, 11 -> 9.5.
  EXPECT_EQ(p.update(hl(14, 11)), (std::array<double, 3>{14.0, midpoint(9.5, 14.0), 9.5}));
  // Highs 12, 14, 13 (mean 13, e = -1, 1, 0: slope 0.5), lows 8, 11, 11 (mean 10, e = -2, 1, 1:
  // slope 1.5). Highs project to 13, 14.5, 13; lows to 11, 12.5, 11.
  EXPECT_EQ(p.update(hl(13, 11)), (std::array<double, 3>{14.5, midpoint(11.0, 14.5), 11.0}));
}

TEST(Bands, FractalChaosBandsNeedAStrictFractalOnEachSide) {
  FractalChaosBands f(1);  // window of 3 candles, the middle one is tested
  EXPECT_EQ(f.warmup_period(), 3u);
  EXPECT_FALSE(f.update(hl(10, 9)).has_value());
  EXPECT_FALSE(f.update(hl(12, 9)).has_value());
  EXPECT_FALSE(f.update(hl(11, 9.5)).has_value());  // fractal high 12; lows tie at 9: no fractal low
  EXPECT_FALSE(f.update(hl(11, 8)).has_value());    // the middle bar is neither
  EXPECT_EQ(f.update(hl(11.5, 8.5)), (std::array<double, 2>{12.0, 8.0}));  // fractal low 8
  EXPECT_EQ(f.update(hl(13, 8.5)), (std::array<double, 2>{12.0, 8.0}));    // both persist
  EXPECT_EQ(f.update(hl(12, 9)), (std::array<double, 2>{13.0, 8.0}));      // new fractal high 13
}

// ---------------------------------------------------------------------------------------------------
// Range-based volatility

TEST(Bands, ChaikinVolatilityRateOfChangeOfTheRangeAverage) {
  ChaikinVolatility cv(2, 1);
  EXPECT_EQ(cv.warmup_period(), 3u);
  EXPECT_FALSE(cv.update(hl(11, 10)).has_value());  // range 1
  EXPECT_FALSE(cv.update(hl(13, 10)).has_value());  // range 3: average seeds at 2
  const double alpha = 2.0 / 3.0;
  const double e3 = std::fma(alpha, 5.0, (1.0 - alpha) * 2.0);
  EXPECT_EQ(cv.update(hl(15, 10)), (e3 - 2.0) / 2.0 * 100.0);
  const double e4 = std::fma(alpha, 1.0, (1.0 - alpha) * e3);
  EXPECT_EQ(cv.update(hl(11, 10)), (e4 - e3) / e3 * 100.0);

  // The average r bars back is 0: the value is 0, not a division by zero.
  ChaikinVolatility zero(2, 1);
  zero.update(flat(10));
  zero.update(flat(10));
  EXPECT_EQ(zero.update(hl(12, 10)), 0.0);
}

TEST(Bands, MassIndexSumsTheRatioOfTheTwoAverages) {
  MassIndex mi(2, 2);
  EXPECT_EQ(mi.warmup_period(), 4u);
  // Ranges 1, 3, 2, 4. e1: 2 (bar 2), fma(a, 2, b*2) (bar 3), ... e2 seeds at bar 3.
  const double a = 2.0 / 3.0, b = 1.0 - a;
  const double e1_2 = 2.0;
  const double e1_3 = std::fma(a, 2.0, b * e1_2);
  const double e1_4 = std::fma(a, 4.0, b * e1_3);
  const double e2_3 = (e1_2 + e1_3) / 2.0;
  const double e2_4 = std::fma(a, e1_4, b * e2_3);
  EXPECT_FALSE(mi.update(hl(11, 10)).has_value());
  EXPECT_FALSE(mi.update(hl(13, 10)).has_value());
  EXPECT_FALSE(mi.update(hl(12, 10)).has_value());
  EXPECT_EQ(mi.update(hl(14, 10)), e1_4 / e2_4 + e1_3 / e2_3);

  // Flat bars: e2 = 0 gives a ratio of 1, so the index is the sum period.
  MassIndex flat_index(3, 5);
  std::optional<double> v;
  for (int i = 0; i < 12; ++i) v = flat_index.update(flat(7));
  EXPECT_EQ(v, 5.0);
}

TEST(Bands, VolatilityRatioSeedsThenComparesWithThePreviousAverage) {
  VolatilityRatio vr(2);
  EXPECT_EQ(vr.warmup_period(), 4u);
  EXPECT_FALSE(vr.update(flat(10)).has_value());     // only its close is kept
  EXPECT_FALSE(vr.update(hl(12, 10)).has_value());   // tr 2
  EXPECT_FALSE(vr.update(hl(13, 11)).has_value());   // tr max(2, |13 - 11|, 0) = 2: average 2
  EXPECT_EQ(vr.update(hl(18, 12)), 6.0 / 2.0);       // tr 6 over the previous average
  const double alpha = 2.0 / 3.0;
  const double average = 2.0 * (1.0 - alpha) + 6.0 * alpha;
  EXPECT_EQ(vr.update(hl(16, 15)), 1.0 / average);   // tr max(1, |16 - 15|, |15 - 15|) = 1
}

TEST(Bands, VolatilityRatioOnFlatBarsIsZero) {
  VolatilityRatio vr(2);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(vr.update(flat(10)).has_value());
  EXPECT_EQ(vr.update(hl(11, 10)), 0.0);  // average 0: not positive
}

TEST(Bands, AverageDailyRangeOverCompletedDays) {
  AverageDailyRange adr(2, 0);
  EXPECT_EQ(adr.warmup_period(), 2u);
  const std::int64_t h = 3'600'000;
  // Day 0: range 12 - 9 = 3 built from three candles; nothing yielded during the first day.
  EXPECT_FALSE(adr.update(candle(10, 11, 10, 10, 0)).has_value());
  EXPECT_FALSE(adr.update(candle(10, 12, 10, 11, 5 * h)).has_value());
  EXPECT_FALSE(adr.update(candle(10, 10, 9, 10, DAY_MS - 1)).has_value());
  // Day 1 opens: the first day's range.
  EXPECT_EQ(adr.update(candle(10, 10.5, 10, 10, DAY_MS)), 3.0);
  EXPECT_EQ(adr.update(candle(10, 14, 8, 10, DAY_MS + h)), 3.0);  // the current day does not count
  // Day 2: (3 + 6) / 2; day 3: the first range leaves: sum = 1 + 9, then - 3.
  EXPECT_EQ(adr.update(candle(5, 6, 5, 5, 2 * DAY_MS)), (6.0 + 3.0) / 2.0);
  EXPECT_EQ(adr.update(candle(5, 5, 5, 5, 3 * DAY_MS)), (1.0 + 9.0 - 3.0) / 2.0);
}

TEST(Bands, AverageDailyRangeDayBoundaries) {
  const std::int64_t m = 60'000;
  AverageDailyRange utc(5, 0), plus_hour(5, 60), minus_hour(5, -60);
  // Day numbers: floor((floor(t / 1000) + offset * 60) / 86400).
  EXPECT_EQ(utc.day_of(0), 0);
  EXPECT_EQ(utc.day_of(DAY_MS - 1), 0);
  EXPECT_EQ(utc.day_of(-1), -1);  // both divisions round down
  EXPECT_EQ(utc.day_of(-DAY_MS), -1);
  EXPECT_EQ(utc.day_of(-DAY_MS - 1), -2);
  EXPECT_EQ(plus_hour.day_of(DAY_MS - 60 * m), 1);
  EXPECT_EQ(plus_hour.day_of(DAY_MS - 60 * m - 1), 0);
  EXPECT_EQ(minus_hour.day_of(DAY_MS + 59 * m), 0);
  EXPECT_EQ(minus_hour.day_of(DAY_MS + 60 * m), 1);
  // With an offset of +60 minutes, 23:30 UTC already belongs to the next day.
  EXPECT_FALSE(plus_hour.update(candle(1, 2, 1, 1, 0)).has_value());
  EXPECT_EQ(plus_hour.update(candle(1, 1, 1, 1, DAY_MS - 30 * m)), 1.0);
  EXPECT_FALSE(utc.update(candle(1, 2, 1, 1, 0)).has_value());
  EXPECT_FALSE(utc.update(candle(1, 1, 1, 1, DAY_MS - 30 * m)).has_value());
}

// ---------------------------------------------------------------------------------------------------
// TTM squeeze

TEST(Bands, TtmSqueezeFlagAndMomentum) {
  // Period 2: closes 10, 12; highs 11, 13; lows 9, 10. sma 11, population std 1, atr (2 + 3) / 2.
  // base = midpoint(11, midpoint(13, 9)) = 11; the line through -1, 1 ends at 1.
  const Candle c1 = candle(10, 11, 9, 10), c2 = candle(10, 13, 10, 12);
  TtmSqueeze inside(2, 2, 1.5);   // Bollinger 9..13 inside 11 -+ 3.75
  TtmSqueeze outside(2, 2, 0.5);  // 9 is below 11 - 1.25
  EXPECT_FALSE(inside.update(c1).has_value());
  EXPECT_FALSE(outside.update(c1).has_value());
  EXPECT_EQ(inside.update(c2), (std::array<double, 2>{1.0, 1.0}));
  EXPECT_EQ(outside.update(c2), (std::array<double, 2>{0.0, 1.0}));

  // Period 3 on a straight line of closes 10, 11, 12 (highs +1, lows -1): base 11, d = -1, 0, 1,
  // slope (2 * 3 - 0 * 3) / 6 = 1, momentum (0 - 1 * 3) / 3 + 2 * 1 = 1.
  TtmSqueeze three(3, 2, 1.5);
  EXPECT_FALSE(three.update(candle(10, 11, 9, 10)).has_value());
  EXPECT_FALSE(three.update(candle(11, 12, 10, 11)).has_value());
  const auto v = three.update(candle(12, 13, 11, 12));
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ((*v)[1], 1.0);
  // A bent line: closes 11, 12, 10; sma 11, hh 13, ll 9 -> base 11; d = 0, 1, -1: B = 0,
  // A = 1 - 2 = -1; slope = -3 / 6 = -0.5; momentum = (0 + 1.5) / 3 - 1 = -0.5.
  const auto w = three.update(candle(12, 12, 9, 10));
  ASSERT_TRUE(w.has_value());
  EXPECT_EQ((*w)[1], -0.5);
}

// MAX_PERIOD windows build and cost memory only as bars arrive.
TEST(Bands, MaxPeriodWindowsGrowOnlyWithBars) {
  const std::pair<const char*, std::vector<double>> cases[] = {
      {"Atr", {16777216}},
      {"BollingerBands", {16777216, 2}},
      {"Donchian", {16777216}},
      {"MedianChannel", {16777216, 2}},
      {"BomarBands", {16777216, 0.5}},
      {"ProjectionBands", {16777216}},
      {"FractalChaosBands", {16777216}},
      {"ChaikinVolatility", {16777216, 16777216}},
      {"MassIndex", {2, 1e15}},
      {"AverageDailyRange", {16777216, 0}},
      {"TtmSqueeze", {16777216, 2, 1.5}},
  };
  for (const auto& [name, params] : cases) {
    auto ind = make(name, params);
    ASSERT_TRUE(ind) << name;
    EXPECT_GE(ind->warmup_period(), 16777216u) << name;
    for (int i = 1; i <= 100; ++i) {
      const auto v = ind->update(bar(wave(i)));
      if (std::string(name) != "AverageDailyRange") {
        EXPECT_FALSE(v.has_value()) << name;
      }
    }
  }
}

}  // namespace
}  // namespace sorvik

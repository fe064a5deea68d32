// The moving averages and price transforms.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/moving_averages/alligator.hpp"
#include "indicators/moving_averages/alma.hpp"
#include "indicators/moving_averages/dema.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "indicators/moving_averages/evwma.hpp"
#include "indicators/moving_averages/frama.hpp"
#include "indicators/moving_averages/geometric_ma.hpp"
#include "indicators/moving_averages/heikin_ashi.hpp"
#include "indicators/moving_averages/holt_winters.hpp"
#include "indicators/moving_averages/jma.hpp"
#include "indicators/moving_averages/kama.hpp"
#include "indicators/moving_averages/mama.hpp"
#include "indicators/moving_averages/fama.hpp"
#include "indicators/moving_averages/median_ma.hpp"
#include "indicators/moving_averages/vidya.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "indicators/moving_averages/smma.hpp"
#include "indicators/moving_averages/tema.hpp"
#include "indicators/moving_averages/trima.hpp"
#include "indicators/moving_averages/vwma.hpp"
#include "indicators/moving_averages/wma.hpp"
#include "indicators/moving_averages/zlema.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

/// A deterministic wavy series of valid candles.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return candle(o, std::max(o, c) + 1.5, std::min(o, c) - 1.0, c, 1000.0 + 100.0 * std::cos(i * 0.11));
}

TEST(MovingAverages, EmaOfThreeOnOneToFour) {
  Ema ema(3);
  EXPECT_EQ(run(ema, {1, 2, 3, 4}),
            (std::vector<std::optional<double>>{std::nullopt, std::nullopt, 2.0, std::fma(0.5, 4.0, 0.5 * 2.0)}));
}

// Every member of the family yields first exactly at its warm-up bar and on every valid bar after.
TEST(MovingAverages, FirstValueAtWarmupThenEveryBar) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::uint64_t warmup;
  };
  const Case cases[] = {
      {"Sma", {5}, 5},           {"Ema", {5}, 5},           {"Wma", {5}, 5},
      {"Smma", {5}, 5},          {"Dema", {3}, 5},          {"Tema", {3}, 7},
      {"T3", {2, 0.7}, 7},       {"Trima", {4}, 4},         {"Trima", {5}, 5},
      {"Hma", {9}, 11},          {"Hma", {2}, 2},           {"Ehma", {9}, 11},
      {"Ehma", {16}, 19},        {"Kama", {10, 2, 30}, 11}, {"Alma", {9, 0.85, 6}, 9},
      {"Jma", {7, 50, 2}, 1},    {"Frama", {6}, 6},         {"Mama", {0.5, 0.05}, 33},
      {"Fama", {0.5, 0.05}, 33}, {"Vidya", {9, 4}, 5},      {"Zlema", {5}, 7},
      {"Zlema", {2}, 2},         {"McGinleyDynamic", {4}, 4}, {"Vwma", {4}, 4},
      {"Evwma", {4}, 4},         {"GeneralizedDema", {3, 0.5}, 5}, {"GeometricMa", {4}, 4},
      {"MedianMa", {4}, 4},      {"SineWeightedMa", {4}, 4}, {"HoltWinters", {0.5, 0.3}, 2},
      {"Alligator", {13, 8, 5}, 13}, {"GatorOscillator", {13, 8, 5}, 13}, {"MidPoint", {4}, 4},
      {"MidPrice", {4}, 4},      {"AvgPrice", {}, 1},       {"MedianPrice", {}, 1},
      {"TypicalPrice", {}, 1},   {"WeightedClose", {}, 1},  {"HeikinAshi", {}, 1},
      {"SmoothedHeikinAshi", {4}, 4}, {"HeikinAshiOscillator", {4}, 4},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    ASSERT_TRUE(made.has_value()) << c.name << ": " << made.error().display();
    auto& ind = **made;
    EXPECT_EQ(ind.warmup_period(), c.warmup) << c.name;
    for (int i = 1; i <= 60; ++i) {
      const auto v = ind.update(bar(wave(i)));
      EXPECT_EQ(v.has_value(), static_cast<std::uint64_t>(i) >= c.warmup) << c.name << " bar " << i;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << c.name << " bar " << i;
      }
    }
  }
}

TEST(MovingAverages, TrimaIsTwoCascadedSmas) {
  for (std::uint64_t n : {4u, 5u}) {
    Trima trima(n);
    Sma first(n - n / 2);
    Sma second(n / 2 + 1);
    for (int i = 0; i < 40; ++i) {
      const double x = wave(i).close;
      std::optional<double> expected;
      if (auto a = first.update(x)) expected = second.update(*a);
      EXPECT_EQ(trima.update(x), expected) << "n=" << n << " i=" << i;
    }
  }
  // Trima(4) is Sma(2) followed by Sma(3).
  Trima t4(4);
  const auto out = run(t4, {1, 2, 3, 4, 5});
  EXPECT_FALSE(out[2].has_value());
  EXPECT_EQ(out[3], ((1.5 + 2.5) + 3.5) / 3.0);
  EXPECT_EQ(out[4], ((2.5 + 3.5) + 4.5) / 3.0);
}

TEST(MovingAverages, SmaAndWmaReaddFromScratchEverySixteenPasses) {
  // A huge value passing through the window leaves rounding residue in the incremental sums; the
  // re-add at push 16 * n restores the exact left-to-right values.
  const std::uint64_t n = 2;
  Sma sma(n);
  Wma wma(n);
  std::vector<double> xs;
  for (std::uint64_t i = 0; i < 16 * n; ++i) xs.push_back(i == 3 ? 1e17 : 0.1 * static_cast<double>(i % 5) + 0.3);
  std::optional<double> s, w;
  for (double x : xs) {
    s = sma.update(x);
    w = wma.update(x);
  }
  const double a = xs[xs.size() - 2], b = xs[xs.size() - 1];
  EXPECT_EQ(s, (a + b) / 2.0);
  EXPECT_EQ(w, (1.0 * a + 2.0 * b) / ((1.0 + 2.0) * 2.0 * 0.5));
}

TEST(MovingAverages, WmaIncrementalNumerator) {
  Wma wma(3);
  const auto out = run(wma, {1, 2, 3, 10});
  EXPECT_EQ(out[2], (1.0 * 1 + 2.0 * 2 + 3.0 * 3) / 6.0);
  // numerator = n * x + (numerator - S) with S = 6 before the update.
  EXPECT_EQ(out[3], (3.0 * 10 + (14.0 - 6.0)) / 6.0);
}

TEST(MovingAverages, SmmaIsWilderDivideForm) {
  Smma smma(3);
  const auto out = run(smma, {1, 2, 6, 0.1});
  EXPECT_EQ(out[2], 3.0);
  EXPECT_EQ(out[3], (0.1 + (3.0 + -1.0) * 3.0) / 3.0);
}

TEST(MovingAverages, ConstructorMessages) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;
  };
  const std::string p = "invalid parameters for indicator ";
  const Case cases[] = {
      {"Sma", {16777217}, "Sma: invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"},
      {"Wma", {16777216}, nullptr},
      {"Frama", {3}, "Frama: invalid period: FRAMA period must be even"},
      {"Frama", {1}, "Frama: invalid period: FRAMA period must be at least 2"},
      {"Kama", {10, 2, 2}, "Kama: invalid period: KAMA fast period must be strictly less than slow"},
      {"Kama", {10, 30, 2}, "Kama: invalid period: KAMA fast period must be strictly less than slow"},
      {"T3", {5, 1.5}, "T3: invalid period: T3 volume factor must be a finite value in [0.0, 1.0]"},
      {"T3", {2.220446049250313e-16, 1.5}, "T3: period must be greater than zero"},
      {"GeneralizedDema", {5, -0.1}, "GeneralizedDema: invalid period: GD volume factor must be a finite value in [0.0, 1.0]"},
      {"Alma", {9, 1.1, 6}, "Alma: invalid period: ALMA offset must be a finite value in [0, 1]"},
      {"Alma", {9, 0.5, 0}, "Alma: invalid period: ALMA sigma must be a finite positive value"},
      {"Jma", {7, 0, 0}, "Jma: invalid period: JMA power must be in 1..=4"},
      {"Jma", {7, 0, 5}, "Jma: invalid period: JMA power must be in 1..=4"},
      {"HoltWinters", {0, 2}, "HoltWinters: invalid period: HoltWinters alpha must be in (0.0, 1.0]"},
      {"HoltWinters", {1, 1.5}, "HoltWinters: invalid period: HoltWinters beta must be in (0.0, 1.0]"},
      {"Mama", {0.5, 0.6}, "Mama: invalid period: fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1"},
      {"Fama", {1.5, 0.5}, "Fama: invalid period: fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1"},
      {"Mama", {0.5, 0}, "Mama: invalid period: fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1"},
      {"Vidya", {9, 16777217}, "Vidya: invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"},
      {"Vidya", {16777217, 9}, nullptr},
      {"Alligator", {13, 16777217, 5}, "Alligator: invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text == nullptr) {
      EXPECT_TRUE(made.has_value()) << c.name;
    } else {
      ASSERT_FALSE(made.has_value()) << c.name;
      EXPECT_EQ(made.error().display(), p + c.text);
    }
  }
  // Checks the factory cannot reach: a non-finite phase and a zero period.
  EXPECT_EQ(Jma::create(7, NaN, 1).error().display(), "invalid period: JMA phase must be a finite value");
  EXPECT_EQ(Ema::create(0).error(), IndicatorError::zero_period());
  EXPECT_EQ(Frama::create(0).error().display(), "invalid period: FRAMA period must be at least 2");
}

TEST(MovingAverages, SkippedInputsChangeNothing) {
  Ema ema(3);
  EXPECT_FALSE(ema.update(1).has_value());
  EXPECT_FALSE(ema.update(NaN).has_value());
  EXPECT_FALSE(ema.update(2).has_value());
  EXPECT_EQ(ema.update(3), 2.0);
  GeometricMa g(2);
  EXPECT_FALSE(g.update(0).has_value());
  EXPECT_FALSE(g.update(-4).has_value());
  EXPECT_FALSE(g.update(4).has_value());
  EXPECT_EQ(g.update(1), std::exp((std::log(4.0) + std::log(1.0)) / 2.0));
}

TEST(MovingAverages, VwmaWithoutVolumeIsThePlainMean) {
  Vwma v(3);
  EXPECT_FALSE(v.update(candle(1, 1, 1, 1, 0)).has_value());
  EXPECT_FALSE(v.update(candle(2, 2, 2, 2, 0)).has_value());
  EXPECT_EQ(v.update(candle(6, 6, 6, 6, 0)), 3.0);
  EXPECT_EQ(v.update(candle(4, 4, 4, 4, 2)), (4.0 * 2.0) / 2.0);
}

TEST(MovingAverages, EvwmaElasticUpdate) {
  Evwma e(2);
  EXPECT_FALSE(e.update(candle(10, 10, 10, 10, 0)).has_value());
  EXPECT_EQ(e.update(candle(11, 11, 11, 11, 0)), 11.0);  // V = 0 and no value yet: the close
  EXPECT_EQ(e.update(candle(12, 12, 12, 12, 0)), 11.0);  // V = 0: repeated
  EXPECT_EQ(e.update(candle(14, 14, 14, 14, 3)), (14.0 * 3.0 + (3.0 - 3.0) * 11.0) / 3.0);
  EXPECT_EQ(e.update(candle(20, 20, 20, 20, 1)), (20.0 * 1.0 + (4.0 - 1.0) * 14.0) / 4.0);
}

TEST(MovingAverages, JmaYieldsTheFirstCloseUnchanged) {
  Jma j(7, 0, 2);
  EXPECT_EQ(j.update(123.25), 123.25);
  const auto second = j.update(124.0);
  ASSERT_TRUE(second.has_value());
  EXPECT_NE(*second, 123.25);
}

TEST(MovingAverages, KamaFirstValueStartsFromTheOldestClose) {
  Kama k(2, 2, 30);
  EXPECT_FALSE(k.update(1).has_value());
  EXPECT_FALSE(k.update(2).has_value());
  // Window 1, 2, 4: volatility 3, change 3, er 1, sc = fast_sc.
  const double fast = 2.0 / 3.0, slow = 2.0 / 31.0;
  const double sc = (fast - slow) * 1.0 + slow;
  EXPECT_EQ(k.update(4), sc * sc * (4.0 - 1.0) + 1.0);
}

TEST(MovingAverages, HoltWintersLevelAndTrend) {
  HoltWinters h(0.5, 0.5);
  EXPECT_FALSE(h.update(10).has_value());
  EXPECT_EQ(h.update(12), 14.0);  // level 12, trend 2
  const double level = (12.0 + 2.0) * 0.5 + 13.0 * 0.5;
  const double trend = 0.5 * 2.0 + (level - 12.0) * 0.5;
  EXPECT_EQ(h.update(13), trend + level);
}

TEST(MovingAverages, MedianOfEvenWindowIsTheMidpoint) {
  MedianMa m(4);
  const auto out = run(m, {5, 1, 4, 2, 100});
  EXPECT_EQ(out[3], 3.0);
  EXPECT_EQ(out[4], 3.0);  // 1, 2, 4, 100
}

TEST(MovingAverages, FramaOnAFlatWindowUsesTheSlowestAlpha) {
  Frama f(2);
  EXPECT_FALSE(f.update(5).has_value());
  EXPECT_EQ(f.update(5), 5.0);
  EXPECT_EQ(f.update(7), (1.0 - 0.01) * 5.0 + 7.0 * 0.01);  // halves have zero range
}

TEST(MovingAverages, VidyaScalesAlphaByTheChandeMomentum) {
  Vidya v(3, 2);
  EXPECT_FALSE(v.update(1).has_value());
  EXPECT_FALSE(v.update(2).has_value());
  // Changes +1, +2: cmo = 100, k = alpha = 0.5, prev = the close.
  EXPECT_EQ(v.update(4), (1.0 - 0.5) * 4.0 + 4.0 * 0.5);
  // Changes +2, -1: cmo = (2 - 1) * 100 / 3.
  const double k = std::fabs((2.0 - 1.0) * 100.0 / 3.0) / 100.0 * 0.5;
  EXPECT_EQ(v.update(3), (1.0 - k) * 4.0 + 3.0 * k);
}

TEST(MovingAverages, MamaAndFamaShareOneCore) {
  Mama mama(0.5, 0.05);
  Fama fama(0.5, 0.05);
  Mama flat(0.5, 0.05);
  for (int i = 1; i <= 200; ++i) {
    const double x = wave(i).close;
    const auto m = mama.update(x);
    const auto f = fama.update(x);
    ASSERT_EQ(m.has_value(), i >= 33) << i;
    ASSERT_EQ(f.has_value(), i >= 33) << i;
    if (m) {
      EXPECT_EQ((*m)[1], *f);
    }
    const auto c = flat.update(10.0);
    if (c) {
      EXPECT_NEAR((*c)[0], 10.0, 1e-9);
      EXPECT_NEAR((*c)[1], 10.0, 1e-9);
    }
  }
  EXPECT_FALSE(mama.update(NaN).has_value());
}

TEST(HeikinAshi, FirstBarUsesItsOwnOpenCloseMidpoint) {
  auto ha = std::move(*create_indicator("HeikinAshi", std::vector<double>{}));
  const auto v = ha->update(bar(candle(10, 14, 9, 12)));
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(*v, 11.0);
  const auto named = ha->extra_outputs();
  ASSERT_EQ(named.size(), 4u);
  EXPECT_EQ(named[0], (NamedValue{"open", 11.0}));
  EXPECT_EQ(named[1], (NamedValue{"high", 14.0}));
  EXPECT_EQ(named[2], (NamedValue{"low", 9.0}));
  EXPECT_EQ(named[3], (NamedValue{"close", (10.0 + 14.0 + 9.0 + 12.0) * 0.25}));
  // An invalid candle yields nothing and leaves the last named values alone.
  EXPECT_FALSE(ha->update(bar(candle(10, 9, 11, 10))).has_value());
  EXPECT_EQ(ha->extra_outputs()[0].value, 11.0);
  // The second bar opens at the midpoint of the previous Heikin-Ashi open and close.
  EXPECT_EQ(ha->update(bar(candle(12, 13, 11, 12))), midpoint(11.0, 11.25));
}

TEST(Alligator, LinesAndGator) {
  auto all = std::move(*create_indicator("Alligator", std::vector<double>{3, 2, 1}));
  auto gator = std::move(*create_indicator("GatorOscillator", std::vector<double>{3, 2, 1}));
  Smma jaw(3), teeth(2), lips(1);
  for (int i = 1; i <= 10; ++i) {
    const Candle c = wave(i);
    const double mid = midpoint(c.high, c.low);
    const auto j = jaw.update(mid), t = teeth.update(mid), l = lips.update(mid);
    const auto a = all->update(bar(c));
    const auto g = gator->update(bar(c));
    ASSERT_EQ(a.has_value(), i >= 3);
    ASSERT_EQ(g.has_value(), i >= 3);
    if (!a) continue;
    EXPECT_EQ(*a, *j);
    EXPECT_EQ(all->extra_outputs()[1], (NamedValue{"teeth", *t}));
    EXPECT_EQ(all->extra_outputs()[2], (NamedValue{"lips", *l}));
    EXPECT_EQ(*g, std::fabs(*j - *t));
    EXPECT_EQ(gator->extra_outputs()[1], (NamedValue{"lower", -std::fabs(*t - *l)}));
  }
}

TEST(PriceTransforms, SingleBarFormulas) {
  const Candle c = candle(10, 14, 9, 12.5);
  const std::pair<const char*, double> cases[] = {
      {"AvgPrice", (10.0 + 14.0 + 9.0 + 12.5) * 0.25},
      {"MedianPrice", midpoint(14.0, 9.0)},
      {"TypicalPrice", (14.0 + 9.0 + 12.5) / 3.0},
      {"WeightedClose", (12.5 * 2.0 + (14.0 + 9.0)) * 0.25},
  };
  for (const auto& [name, value] : cases) {
    auto ind = std::move(*create_indicator(name, std::vector<double>{}));
    EXPECT_EQ(ind->warmup_period(), 1u) << name;
    EXPECT_EQ(ind->update(bar(c)), value) << name;
    EXPECT_FALSE(ind->update(bar(candle(NaN, 1, 1, 1))).has_value()) << name;
  }
}

TEST(MovingAverages, MaxPeriodWindowsGrowOnlyWithBars) {
  // Building and feeding a handful of bars to MAX_PERIOD windows stays cheap.
  for (const char* name : {"Sma", "Wma", "Zlema", "Alma", "SineWeightedMa", "MedianMa", "MidPrice", "Vwma", "Kama"}) {
    std::vector<double> params = {16777216};
    if (std::string(name) == "Alma") params = {16777216, 0.5, 6};
    if (std::string(name) == "Kama") params = {16777216, 2, 30};
    auto ind = create_indicator(name, params);
    ASSERT_TRUE(ind.has_value()) << name;
    for (int i = 1; i <= 100; ++i) EXPECT_FALSE((*ind)->update(bar(wave(i))).has_value()) << name;
  }
}

}  // namespace
}  // namespace sorvik

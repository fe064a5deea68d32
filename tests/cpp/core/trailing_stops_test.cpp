// Trailing stops and trend overlays: the ATR stops, the parabolic SARs, the fixed-distance stops,
// the channel stops and the trend-state overlays.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/support.hpp"
#include "indicators/trailing_stops/atr_ratchet.hpp"
#include "indicators/trailing_stops/atr_trailing_stop.hpp"
#include "indicators/trailing_stops/chande_kroll_stop.hpp"
#include "indicators/trailing_stops/chandelier_exit.hpp"
#include "indicators/trailing_stops/donchian_stop.hpp"
#include "indicators/trailing_stops/elder_safe_zone.hpp"
#include "indicators/trailing_stops/hi_lo_activator.hpp"
#include "indicators/trailing_stops/kase_dev_stop.hpp"
#include "indicators/trailing_stops/modified_ma_stop.hpp"
#include "indicators/trailing_stops/new_price_lines.hpp"
#include "indicators/trailing_stops/nrtr.hpp"
#include "indicators/trailing_stops/percentage_trailing_stop.hpp"
#include "indicators/trailing_stops/psar.hpp"
#include "indicators/trailing_stops/renko_trailing_stop.hpp"
#include "indicators/trailing_stops/sar_ext.hpp"
#include "indicators/trailing_stops/step_trailing_stop.hpp"
#include "indicators/trailing_stops/super_trend.hpp"
#include "indicators/trailing_stops/three_line_break.hpp"
#include "indicators/trailing_stops/time_based_stop.hpp"
#include "indicators/trailing_stops/volty_stop.hpp"
#include "indicators/trailing_stops/yoyo_exit.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Opt = std::optional<double>;
using Pair = std::optional<std::array<double, 2>>;
constexpr Opt none = std::nullopt;
constexpr Pair no_pair = std::nullopt;

Candle at(double c) { return hlc(c, c, c); }

/// A deterministic wavy series of valid candles with trend changes in both directions.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return Candle{0, o, std::max(o, c) + 1.5 + 0.5 * std::cos(i * 0.9), std::min(o, c) - 1.0 - 0.25 * std::sin(i * 1.3),
                c, 1.0};
}

/// Prints a multi-output answer readably on a failure.
std::string show(const Pair& p) {
  if (!p) return "nothing";
  return "(" + std::to_string((*p)[0]) + ", " + std::to_string((*p)[1]) + ")";
}
void expect_pairs(const std::vector<Pair>& got, const std::vector<Pair>& want, const char* what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i], want[i]) << what << " bar " << i + 1 << ": got " << show(got[i]) << ", want " << show(want[i]);
  }
}
void expect_values(const std::vector<Opt>& got, const std::vector<Opt>& want, const char* what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], want[i]) << what << " bar " << i + 1;
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
      {"SuperTrend", {3, 2}, 3, false},
      {"Psar", {0.02, 0.02, 0.2}, 2, false},
      {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2}, 2, false},
      {"ChandelierExit", {3, 2}, 3, false},
      {"ChandeKrollStop", {3, 1.5, 4}, 6, false},
      {"AtrTrailingStop", {3, 2}, 3, false},
      {"AtrRatchet", {3, 2, 0.1}, 3, false},
      {"PercentageTrailingStop", {5}, 1, true},
      {"StepTrailingStop", {1}, 1, true},
      {"RenkoTrailingStop", {1}, 1, true},
      {"DonchianStop", {4}, 4, false},
      {"ElderSafeZone", {3, 2}, 4, false},
      {"KaseDevStop", {3, 1}, 4, false},
      {"ModifiedMaStop", {4}, 4, false},
      {"VoltyStop", {3, 2}, 3, false},
      {"YoyoExit", {3, 2}, 3, false},
      {"TimeBasedStop", {4}, 1, false},
      {"Nrtr", {5}, 1, false},
      {"HiLoActivator", {3}, 4, false},
      {"ThreeLineBreak", {3}, 2, false},  // the wave's second close differs from its first
      {"NewPriceLines", {2}, 2, false},
  };
  return m;
}

TEST(TrailingStops, FirstValueAtWarmupThenEveryBar) {
  for (const auto& m : members()) {
    auto ind = make(m.name, m.params);
    ASSERT_TRUE(ind) << m.name;
    EXPECT_EQ(ind->warmup_period(), m.warmup) << m.name;
    for (int i = 1; i <= 120; ++i) {
      const auto v = ind->update(bar(wave(i)));
      EXPECT_EQ(v.has_value(), static_cast<std::uint64_t>(i) >= m.warmup) << m.name << " bar " << i;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << m.name << " bar " << i;
      }
    }
  }
}

// Bars the adapters refuse (a non-finite close; for candle members also an inverted range or a
// negative volume) neither count towards the warm-up nor change any later value.
TEST(TrailingStops, RefusedBarsChangeNothing) {
  const int bad_before[] = {1, 2, 5, 10, 16};
  for (const auto& m : members()) {
    auto clean = make(m.name, m.params);
    auto noisy = make(m.name, m.params);
    ASSERT_TRUE(clean && noisy) << m.name;
    for (int i = 1; i <= 40; ++i) {
      if (std::find(std::begin(bad_before), std::end(bad_before), i) != std::end(bad_before)) {
        Candle nan_close = wave(i);
        nan_close.close = NaN;
        EXPECT_FALSE(noisy->update(bar(nan_close)).has_value()) << m.name;
        Candle inf_close = wave(i);
        inf_close.close = -Inf;
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

TEST(TrailingStops, NamedOutputsInOrderWithTheFirstAsPrimary) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::vector<std::string_view> names;
  };
  const Case cases[] = {
      {"SuperTrend", {3, 2}, {"value", "direction"}},
      {"ChandelierExit", {3, 2}, {"long_stop", "short_stop"}},
      {"ChandeKrollStop", {3, 1.5, 4}, {"stop_long", "stop_short"}},
      {"AtrRatchet", {3, 2, 0.1}, {"value", "direction"}},
      {"DonchianStop", {4}, {"stop_long", "stop_short"}},
      {"ElderSafeZone", {3, 2}, {"value", "direction"}},
      {"KaseDevStop", {3, 1}, {"value", "direction"}},
      {"ModifiedMaStop", {4}, {"value", "direction"}},
      {"Nrtr", {5}, {"value", "direction"}},
  };
  for (const auto& c : cases) {
    auto ind = make(c.name, c.params);
    ASSERT_TRUE(ind) << c.name;
    const CatalogEntry* entry = find_catalog_entry(c.name);
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
      if (c.names[1] == "direction") {
        EXPECT_TRUE(named[1].value == 1.0 || named[1].value == -1.0) << c.name;
      }
    }
    EXPECT_GT(yields, 0) << c.name;
  }
  for (const char* name : {"Psar", "SarExt", "AtrTrailingStop", "PercentageTrailingStop", "StepTrailingStop",
                           "RenkoTrailingStop", "VoltyStop", "YoyoExit", "TimeBasedStop", "HiLoActivator",
                           "ThreeLineBreak", "NewPriceLines"}) {
    const CatalogEntry* entry = find_catalog_entry(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_TRUE(entry->outputs.empty()) << name;
    auto ind = make(name, sample_params(*entry, 3));
    ASSERT_TRUE(ind) << name;
    for (int i = 1; i <= 10; ++i) {
      ind->update(bar(wave(i)));
      EXPECT_TRUE(ind->extra_outputs().empty()) << name;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Constructor checks, in order, through the displayed text

TEST(TrailingStops, ConstructorMessagesInCheckOrder) {
  const std::string too_long = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string multiplier = "multiplier must be greater than zero";
  const std::string af_order = "invalid period: af_start must be <= af_max";
  const std::string acc_order = "invalid period: acceleration init must be <= max";
  const std::string kase = "invalid period: Kase DevStop period must be >= 2";
  const std::string nrtr = "invalid period: NRTR percentage must be in (0, 100)";
  const std::string lines = "invalid period: new price lines count must be >= 2";
  struct Case {
    const char* name;
    std::vector<double> params;
    std::string text;  // empty: builds
  };
  const Case cases[] = {
      {"SuperTrend", {16777217, 0}, too_long},  // the period before the multiplier
      {"SuperTrend", {10, 0}, multiplier},
      {"SuperTrend", {10, -3}, multiplier},
      {"SuperTrend", {16777216, 3}, ""},
      {"Psar", {0, 0.02, 0.2}, multiplier},
      {"Psar", {0.02, 0, 0.2}, multiplier},
      {"Psar", {0.02, 0.02, -0.2}, multiplier},
      {"Psar", {0.3, 0, 0.2}, multiplier},  // every factor positive before their order
      {"Psar", {0.2, 0.02, 0.1}, af_order},
      {"Psar", {0.2, 0.02, 0.2}, ""},
      {"SarExt", {0, -0.01, 0, 0, 0, 0, 0, 0}, multiplier},  // offset first
      {"SarExt", {0, 0, 0, 0.02, 0.2, 0.02, 0.02, 0.2}, multiplier},
      {"SarExt", {0, 0, 0.02, 0, 0.2, 0.02, 0.02, 0.2}, multiplier},
      {"SarExt", {0, 0, 0.02, 0.02, -1, 0.02, 0.02, 0.2}, multiplier},
      {"SarExt", {0, 0, 0.3, 0.02, 0.2, 0, 0, 0}, acc_order},  // the long order before the short factors
      {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0, 0.02, 0.2}, multiplier},
      {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0.02, 0, 0.2}, multiplier},
      {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0.02, 0.02, 0}, multiplier},
      {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0.3, 0.02, 0.2}, acc_order},
      {"SarExt", {-5, 0, 0.2, 0.02, 0.2, 0.02, 0.02, 0.02}, ""},  // init equal to max is allowed
      {"ChandelierExit", {16777217, 0}, too_long},
      {"ChandelierExit", {22, 0}, multiplier},
      {"ChandeKrollStop", {16777217, 0, 16777217}, too_long},
      {"ChandeKrollStop", {10, 0, 16777217}, multiplier},
      {"ChandeKrollStop", {10, 1, 16777217}, too_long},
      {"ChandeKrollStop", {10, 1, 9}, ""},
      {"AtrTrailingStop", {16777217, 0}, too_long},
      {"AtrTrailingStop", {14, -1}, multiplier},
      {"AtrRatchet", {16777217, 0, 0}, too_long},
      {"AtrRatchet", {14, 0, 0.1}, multiplier},
      {"AtrRatchet", {14, 2, 0}, multiplier},
      {"PercentageTrailingStop", {0}, multiplier},
      {"PercentageTrailingStop", {-5}, multiplier},
      {"StepTrailingStop", {0}, multiplier},
      {"RenkoTrailingStop", {-1}, multiplier},
      {"DonchianStop", {16777217}, too_long},
      {"ElderSafeZone", {16777217, 0}, too_long},
      {"ElderSafeZone", {22, 0}, multiplier},
      {"KaseDevStop", {1, 0}, kase},
      {"KaseDevStop", {16777217, 0}, too_long},
      {"KaseDevStop", {2, 0}, multiplier},
      {"KaseDevStop", {2, 1}, ""},
      {"ModifiedMaStop", {16777217}, too_long},
      {"VoltyStop", {16777217, 0}, too_long},
      {"VoltyStop", {5, 0}, multiplier},
      {"YoyoExit", {16777217, 0}, too_long},
      {"YoyoExit", {5, 0}, multiplier},
      {"TimeBasedStop", {16777217}, ""},  // a count, not a window
      {"Nrtr", {0}, nrtr},
      {"Nrtr", {100}, nrtr},
      {"Nrtr", {-1}, nrtr},
      {"Nrtr", {99.5}, ""},
      {"HiLoActivator", {16777217}, too_long},
      {"ThreeLineBreak", {16777217}, too_long},
      {"NewPriceLines", {1}, lines},
      {"NewPriceLines", {2}, ""},
      {"NewPriceLines", {16777217}, ""},  // a count, not a window
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text.empty()) {
      EXPECT_TRUE(made.has_value()) << c.name << ": " << (made ? "" : made.error().display());
      continue;
    }
    ASSERT_FALSE(made.has_value()) << c.name;
    EXPECT_EQ(made.error().display(), "invalid parameters for indicator " + std::string(c.name) + ": " + c.text);
  }

  // Zeros and non-finite reals the factory's readers stop before they reach a constructor.
  const std::string zero = "period must be greater than zero";
  EXPECT_EQ(SuperTrend::create(0, 0).error().display(), zero);
  EXPECT_EQ(SuperTrend::create(5, NaN).error().display(), multiplier);
  EXPECT_EQ(AtrTrailingStop::create(5, Inf).error().display(), multiplier);
  EXPECT_EQ(ChandeKrollStop::create(3, 1, 0).error().display(), zero);
  EXPECT_EQ(KaseDevStop::create(0, 1).error().display(), kase);
  EXPECT_EQ(NewPriceLines::create(0).error().display(), lines);
  EXPECT_EQ(TimeBasedStop::create(0).error().display(), zero);
  EXPECT_EQ(ThreeLineBreak::create(0).error().display(), zero);
  EXPECT_EQ(Psar::create(NaN, 0.02, 0.2).error().display(), multiplier);
  EXPECT_EQ(Psar::create(0.02, 0.02, Inf).error().display(), multiplier);
  EXPECT_EQ(SarExt::create(NaN, 0, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2).error().display(), multiplier);
  EXPECT_EQ(SarExt::create(0, Inf, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2).error().display(), multiplier);
  EXPECT_EQ(Nrtr::create(NaN).error().display(), nrtr);
  EXPECT_EQ(RenkoTrailingStop::create(Inf).error().display(), multiplier);
  EXPECT_EQ(HiLoActivator::create(16777216)->warmup_period(), 16777217u);
  EXPECT_EQ(ChandeKrollStop::create(16777216, 1, 16777216)->warmup_period(), 33554431u);
}

// ---------------------------------------------------------------------------------------------------
// ATR stops. With period 2 the ATR is the mean of the first two true ranges, then (atr + tr) / 2.

// True ranges 2, 2, 2, 4 (a gap down), 2: ATR(2) 2, 2, 3, 2.5.
const std::vector<Candle> ATR_BARS = {hlc(10, 8, 9), hlc(11, 9, 10), hlc(12, 10, 11), hlc(9, 7, 7.5),
                                      hlc(8.5, 6.5, 7)};

TEST(TrailingStops, SuperTrendBandsTightenAndFlipOnAStrictCross) {
  SuperTrend st(2, 1.0);
  const std::vector<Candle> bars = {
      hlc(10, 8, 9),
      hlc(11, 9, 10),          // atr 2: bands 12 / 8, long on the basic lower band
      hlc(12, 10, 11),         // atr 2: basic 13 / 9; the upper band holds at 12, the lower rises to 9
      hlc(9, 7, 7.5),          // tr 4, atr 3: basic 11 / 5; upper tightens to 11; close 7.5 < 9 flips short
      hlc(9, 7, 8),            // atr 2.5: basic 10.5 / 5.5; upper 10.5; the lower resets (previous close < 9)
      hlc(10.5, 8.5, 10.5),    // atr 2.5: basic 12; upper holds at 10.5; a close equal to it stays short
      hlc(10.75, 8.75, 10.75)  // atr 2.25: close 10.75 > 10.5 flips long on the lower band max(7.5, 7)
  };
  expect_pairs(run(st, bars),
               {no_pair, std::array{8.0, 1.0}, std::array{9.0, 1.0}, std::array{11.0, -1.0}, std::array{10.5, -1.0},
                std::array{10.5, -1.0}, std::array{7.5, 1.0}},
               "SuperTrend");
}

TEST(TrailingStops, ChandelierAndChandeKrollFromTheExtremesAndTheAtr) {
  const std::vector<Candle> bars = {hlc(10, 8, 9), hlc(12, 9, 11), hlc(11, 10, 10.5), hlc(11, 10.5, 11)};
  // True ranges 2, 3, 1, 0.5: ATR(2) 2.5, then 1.75, then 1.125.
  ChandelierExit ce(2, 2.0);
  expect_pairs(run(ce, bars),
               {no_pair, std::array{12.0 - 5.0, 8.0 + 5.0}, std::array{12.0 - 3.5, 9.0 + 3.5},
                std::array{11.0 - 2.25, 10.0 + 2.25}},
               "ChandelierExit");
  // First stage (p = 2, multiplier 1): high stops 9.5, 10.25, 9.875; low stops 10.5, 10.75, 11.125.
  // The second stage keeps the best of the last q = 2.
  ChandeKrollStop ck(2, 1.0, 2);
  expect_pairs(run(ck, bars), {no_pair, no_pair, std::array{10.25, 10.5}, std::array{10.25, 10.75}},
               "ChandeKrollStop");
}

TEST(TrailingStops, AtrTrailingStopFollowsThePreviousCloseAndStop) {
  AtrTrailingStop ts(2, 1.0);
  std::vector<Candle> bars = ATR_BARS;
  bars.push_back(hlc(12, 10, 11.5));      // tr 5, atr 3.75: crosses up after a close below: 11.5 - 3.75
  bars.push_back(hlc(9.75, 7.75, 7.75));  // tr 3.75, atr 3.75: a close equal to the stop restarts short
  expect_values(run(ts, bars),
                {none, 8.0,               // first stop: close - d = 10 - 2
                 9.0,                     // both closes above 8: max(11 - 2, 8)
                 10.5,                    // close 7.5 falls through 9: 7.5 + 3
                 9.5,                     // both below 10.5: min(10.5, 7 + 2.5)
                 7.75, 11.5},
                "AtrTrailingStop");
}

TEST(TrailingStops, AtrRatchetMovesByTheStepEveryBar) {
  AtrRatchet r(2, 2.0, 0.25);
  const std::vector<Candle> bars = {hlc(10, 8, 9), hlc(11, 9, 10), hlc(12, 10, 11), hlc(9, 5, 5.5), hlc(7, 5, 6)};
  // ATR(2): 2, 2, (2 + 6) / 2 = 4, (4 + 2) / 2 = 3.
  expect_pairs(run(r, bars),
               {no_pair, std::array{10.0 - 4.0, 1.0},  // close - atr * initial
                std::array{6.0 + 0.5, 1.0},            // + step * atr
                std::array{5.5 + 8.0, -1.0},           // 6.5 + 1 = 7.5 is above the close 5.5: flip
                std::array{13.5 - 0.75, -1.0}},
               "AtrRatchet");
}

TEST(TrailingStops, VoltyStopTrailsTheExtremeClose) {
  VoltyStop v(2, 1.0);
  const std::vector<Candle> bars = {hlc(10, 8, 9), hlc(11, 9, 10), hlc(12, 10, 11), hlc(9, 7, 8.5), hlc(8, 6, 6.5),
                                    hlc(7, 5, 5)};
  // ATR(2): 2, 2, 3, 2.75, 2.375.
  expect_values(run(v, bars),
                {none, 8.0,    // first: close - d
                 9.0,          // extreme 11
                 8.0,          // 8.5 is not below 11 - 3: extreme stays 11
                 9.25,         // 6.5 < 11 - 2.75: short at 6.5 + 2.75
                 5.0 + 2.375}, // extreme falls to 5
                "VoltyStop");
}

TEST(TrailingStops, YoyoExitWaitsBelowTheStopUntilADistanceAboveIt) {
  YoyoExit y(2, 1.0);
  const std::vector<Candle> bars = {hlc(10, 8, 9),   hlc(11, 9, 10),    hlc(12, 10, 11),
                                    hlc(9, 7, 8.5),  hlc(12, 10, 11.5), hlc(14, 12, 13)};
  // ATR(2): 2, 2, 3, 3.25, 2.875.
  expect_values(run(y, bars),
                {none, 8.0,  // candidate 10 - 2
                 9.0,        // max(8, 11 - 2)
                 9.0,        // 8.5 below the stop: waiting, the stop stays
                 9.0,        // 11.5 is not above 9 + 3.25
                 10.125},    // 13 > 9 + 2.875: long again at 13 - 2.875
                "YoyoExit");
}

// ---------------------------------------------------------------------------------------------------
// Parabolic SARs (factors of 0.25 keep every step exact)

TEST(TrailingStops, PsarSecondBarPicksTheTrend) {
  struct Case {
    Candle second;
    double sar;  // the previous low (long) or high (short)
  };
  const Case cases[] = {
      {hlc(11, 10, 10.5), 9.0},  // higher high: long
      {hlc(9.5, 8, 8.5), 10.0},  // down move 1 > up move -0.5: short
      {hlc(11, 8, 9), 9.0},      // equal moves: long
      {hlc(9, 9, 9), 9.0},       // no down move: long
  };
  for (const auto& c : cases) {
    Psar p(0.25, 0.25, 0.5);
    EXPECT_FALSE(p.update(hlc(10, 9, 9.5)).has_value());
    EXPECT_EQ(p.update(c.second), c.sar);
  }
}

TEST(TrailingStops, PsarAcceleratesStaysOutsideTwoBarsAndReverses) {
  Psar p(0.25, 0.25, 0.5);
  const std::vector<Candle> bars = {hlc(10, 9, 9.5),  hlc(11, 10, 10.5), hlc(12, 11, 11.5), hlc(13, 12, 12.5),
                                    hlc(12.5, 9.5, 10), hlc(11, 9, 9.5), hlc(10, 8, 8.5)};
  expect_values(run(p, bars),
                {none, 9.0,  // long: the previous low, extreme 11
                 9.0,        // 9.5 pulled down to the low two bars back (9); extreme 12, af 0.5
                 10.0,       // 10.5 pulled down to 10; extreme 13, af capped at 0.5
                 13.0,       // 11.5 -> 11; the low 9.5 touches it: short at the extreme 13, af 0.25
                 13.0,       // 12.125 pushed up to the high two bars back (13); extreme 9, af 0.5
                 12.5},      // 11 pushed up to 12.5
                "Psar");
}

TEST(TrailingStops, SarExtSeedsTestsTheSecondBarAndWidensReversals) {
  const double s = 0.25, m = 0.5;
  {  // start 0 with a lower high and a lower low: short at the previous high
    SarExt x(0, 0, s, s, m, s, s, m);
    expect_values(run(x, std::vector<Candle>{hlc(10, 8, 9), hlc(9, 6, 7)}), {none, 10.0}, "SarExt short start");
  }
  {  // a positive start goes long at |start|; the second bar's low below it reverses at once
    SarExt x(5, 0, s, s, m, s, s, m);
    expect_values(run(x, std::vector<Candle>{hlc(10, 9, 9.5), hlc(11, 4, 10)}), {none, 11.0},
                  "SarExt reversal on the second bar");
  }
  {  // a negative start goes short at |start|
    SarExt x(-20, 0, s, s, m, s, s, m);
    expect_values(run(x, std::vector<Candle>{hlc(10, 9, 9.5), hlc(11, 10, 10.5)}), {none, 20.0},
                  "SarExt negative start");
  }
  SarExt x(0, 0.5, s, s, m, s, s, m);
  const std::vector<Candle> bars = {hlc(10, 9, 9.5),  hlc(11, 10, 10.5), hlc(12, 11, 11.5), hlc(13, 12, 12.5),
                                    hlc(12.5, 9.5, 10), hlc(11, 9, 9.5), hlc(18, 10, 11)};
  expect_values(run(x, bars),
                {none, 9.0,  // long at the previous low, extreme 11
                 9.5,        // third bar: no bar two back, only the previous low 10 limits
                 10.0,       // 10.75 limited by the low two back (10); af 0.5
                 19.5,       // 11 touched: w = 13, SAR = |13| * 0.5 + 13
                 17.0,       // (9.5 - 19.5) * 0.25 + 19.5; extreme 9, af 0.5
                 4.5},       // 13 touched by the high 18: w = 9, SAR = 9 - |9| * 0.5
                "SarExt");
}

// ---------------------------------------------------------------------------------------------------
// Fixed-distance stops on the close

TEST(TrailingStops, FixedDistanceStopsOnCloses) {
  struct Case {
    const char* what;
    std::vector<double> closes;
    std::vector<Opt> want;
  };
  auto run = [](auto ind, const Case& c) { expect_values(test::run(ind, c.closes), c.want, c.what); };
  // 100, 110, 95: 90, 99, then a close below 99 flips short at 95 + 9.5; 120 flips long at 120 - 12.
  run(PercentageTrailingStop(10), {"percentage", {100, 110, 95, 100, 120}, {90.0, 99.0, 104.5, 104.5, 108.0}});
  run(PercentageTrailingStop(10), {"percentage of |close|", {-100, -95}, {-110.0, -104.5}});
  // Levels on multiples of 2: floor((c - 2) / 2) * 2 long, ceil((c + 2) / 2) * 2 short.
  run(StepTrailingStop(2), {"step", {10, 13, 12, 9.5, 7, 10.5, NaN}, {8.0, 10.0, 10.0, 12.0, 10.0, 8.0, none}});
  run(RenkoTrailingStop(1), {"renko first", {10.5}, {9.5}});
  // Brick 2: base 10; 13.5 adds one brick (12); 9.5 < 12 - 2 flips down (base 9.5); 6 takes one brick
  // off (7.5); 12 > 7.5 + 2 flips up.
  run(RenkoTrailingStop(2), {"renko", {10, 13.5, 12.5, 9.5, 6, 12}, {8.0, 10.0, 10.0, 11.5, 9.5, 10.0}});
}

TEST(TrailingStops, NrtrFlipsOnTheLineFromTheRunsExtreme) {
  Nrtr n(25);
  std::vector<Candle> bars;
  for (double c : {100.0, 120.0, 95.0, 85.0, 90.0, 110.0}) bars.push_back(at(c));
  expect_pairs(run(n, bars),
               {std::array{75.0, 1.0}, std::array{90.0, 1.0}, std::array{90.0, 1.0},
                std::array{106.25, -1.0},  // 85 < 90: short at 1.25 * 85
                std::array{106.25, -1.0}, std::array{82.5, 1.0}},
               "Nrtr");
}

// ---------------------------------------------------------------------------------------------------
// Channel and average stops

TEST(TrailingStops, DonchianStopIsTheChannelTurnedAround) {
  DonchianStop d(3);
  const std::vector<Candle> bars = {hlc(10, 8, 9), hlc(12, 9, 10), hlc(11, 7, 8), hlc(9, 8.5, 9), hlc(10, 9, 9.5),
                                    hlc(10, 9, 9.5)};
  expect_pairs(run(d, bars),
               {no_pair, no_pair, std::array{7.0, 12.0}, std::array{7.0, 12.0}, std::array{7.0, 11.0},
                std::array{8.5, 10.0}},
               "DonchianStop");
}

TEST(TrailingStops, ElderSafeZoneAveragesNonZeroPenetrations) {
  ElderSafeZone z(2, 2.0);
  const std::vector<Candle> bars = {hlc(10, 8, 9),      hlc(11, 9, 10), hlc(10.5, 7, 8), hlc(12, 10, 11),
                                    hlc(11, 9.5, 10), hlc(10.5, 8, 8), hlc(9, 7, 7.5)};
  // up penetrations 1, 0, 1.5, 0, 0, 0; down penetrations 0, 2, 0, 0.5, 1.5, 1.
  expect_pairs(run(z, bars),
               {no_pair, no_pair,
                std::array{7.0 - 4.0, 1.0},  // avg down 2 / 1 nonzero
                std::array{6.0, 1.0},        // max(3, 10 - 2 * 2)
                std::array{8.5, 1.0},        // max(6, 9.5 - 0.5 * 2)
                std::array{10.5, -1.0},      // 8.5 above the close 8: short at 10.5 + 0 (no up penetration held)
                std::array{9.0, -1.0}},      // min(10.5, 9 + 0)
               "ElderSafeZone");
}

TEST(TrailingStops, KaseDevStopUsesTheSampleDeviationOfTwoBarRanges) {
  KaseDevStop k(2, 1.0);
  const std::vector<Candle> bars = {hlc(10, 8, 9), hlc(11, 9, 10), hlc(13, 10, 12), hlc(14, 12, 13.5),
                                    hlc(12, 9, 9.5)};
  // Two-bar ranges 3, 4, 4, 5. Windows {3, 4}: mean 3.5, sample deviation sqrt(0.5) (the population
  // one would be 0.5); {4, 4}: 4, 0; {4, 5}: 4.5, sqrt(0.5).
  const double off3 = 3.5 + std::sqrt(0.5);
  const double off5 = 4.5 + std::sqrt(0.5);
  expect_pairs(run(k, bars),
               {no_pair, no_pair, std::array{13.0 - off3, 1.0},
                std::array{10.0, 1.0},          // max(13 - off3, 14 - 4)
                std::array{9.0 + off5, -1.0}},  // max(10, 14 - off5) = 10 is above the close 9.5
               "KaseDevStop");
}

TEST(TrailingStops, ModifiedMaStopRatchetsOnTheWilderAverage) {
  ModifiedMaStop s(2);
  std::vector<Candle> bars;
  for (double c : {10.0, 12.0, 13.0, 11.0, 12.0}) bars.push_back(at(c));
  // Averages 11, (13 + 11) / 2 = 12, (11 + 12) / 2 = 11.5, (12 + 11.5) / 2 = 11.75.
  expect_pairs(run(s, bars),
               {no_pair, std::array{11.0, 1.0}, std::array{12.0, 1.0}, std::array{11.5, -1.0},
                std::array{11.75, 1.0}},
               "ModifiedMaStop");
  ModifiedMaStop below(2);
  expect_pairs(run(below, std::vector<Candle>{at(12), at(10)}), {no_pair, std::array{11.0, -1.0}},
               "ModifiedMaStop starting short");
}

TEST(TrailingStops, HiLoActivatorComparesWithThePreviousAverages) {
  HiLoActivator h(2);
  const std::vector<Candle> bars = {hlc(10, 8, 9),   hlc(12, 10, 11), hlc(13, 11, 12),
                                    hlc(12, 9, 10), hlc(12, 10, 11), hlc(13, 11, 12.5)};
  // Averages (high, low) from bar 2: (11, 9), (12.5, 10.5), (12.5, 10), (12, 9.5), (12.5, 10.5).
  expect_values(run(h, bars),
                {none, none,  // the first full bar only stores its averages
                 9.0,         // 12 > 11: long, the previous average low
                 12.5,        // 10 < 10.5: short, the previous average high
                 12.5,        // 11 inside (10, 12.5): still short
                 9.5},        // 12.5 > 12: long
                "HiLoActivator");
}

// ---------------------------------------------------------------------------------------------------
// Trend-state overlays

TEST(TrailingStops, ThreeLineBreakReversesBeyondTheHeldLines) {
  std::vector<Candle> bars;
  for (double c : {10.0, 10.0, 11.0, 12.0, 10.5, 9.5, 9.0, 8.5, 11.0}) bars.push_back(at(c));
  // Three lines: after 9.5, 9 and 8.5 the up lines 11 and 12 are gone, so 11 > 9.5 reverses up.
  ThreeLineBreak three(3);
  expect_values(run(three, bars), {none, none, 1.0, 1.0, 1.0, -1.0, -1.0, -1.0, 1.0}, "three lines");
  // Four lines still hold 12: 11 does not break it.
  ThreeLineBreak four(4);
  expect_values(run(four, bars), {none, none, 1.0, 1.0, 1.0, -1.0, -1.0, -1.0, -1.0}, "four lines");
  // A first move down starts a down trend.
  ThreeLineBreak down(3);
  expect_values(run(down, std::vector<Candle>{at(10), at(9)}), {none, -1.0}, "first move down");
}

TEST(TrailingStops, NewPriceLinesCountsRunsOfHigherAndLowerCloses) {
  struct Case {
    std::uint64_t n;
    std::vector<double> closes;
    std::vector<Opt> want;
  };
  const Case cases[] = {
      {2, {1, 2, 3}, {none, 0.0, -1.0}},  // a run of new highs gives -1
      {2, {3, 2, 1}, {none, 0.0, 1.0}},
      {2, {1, 2, 2, 3, 4}, {none, 0.0, 0.0, 0.0, -1.0}},  // an unchanged close resets both counts
      {3, {1, 2, 3, 4, 3, 2, 1}, {none, 0.0, 0.0, -1.0, 0.0, 0.0, 1.0}},
  };
  for (const auto& c : cases) {
    NewPriceLines npl(c.n);
    std::vector<Candle> bars;
    for (double x : c.closes) bars.push_back(at(x));
    expect_values(run(npl, bars), c.want, "NewPriceLines");
  }
}

TEST(TrailingStops, TimeBasedStopIsTheShareOfBarsUsed) {
  TimeBasedStop four(4);
  std::vector<Candle> bars(6, hlc(10, 9, 9.5));
  expect_values(run(four, bars), {0.25, 0.5, 0.75, 1.0, 1.0, 1.0}, "TimeBasedStop(4)");
  TimeBasedStop three(3);
  expect_values(run(three, std::vector<Candle>(3, at(1))), {1.0 / 3.0, 2.0 / 3.0, 1.0}, "TimeBasedStop(3)");
}

}  // namespace
}  // namespace sorvik

// The DeMark family: sequential counts, setup levels, range and average tools, oscillators, the wave
// counter and the entry signals.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/support.hpp"
#include "indicators/demark/td_combo.hpp"
#include "indicators/demark/td_countdown.hpp"
#include "indicators/demark/td_d_wave.hpp"
#include "indicators/demark/td_de_marker.hpp"
#include "indicators/demark/td_lines.hpp"
#include "indicators/demark/td_moving_average.hpp"
#include "indicators/demark/td_pressure.hpp"
#include "indicators/demark/td_range_projection.hpp"
#include "indicators/demark/td_rei.hpp"
#include "indicators/demark/td_risk_level.hpp"
#include "indicators/demark/td_sequential.hpp"
#include "indicators/demark/td_setup.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Opt = std::optional<double>;
using Opt2 = std::optional<std::array<double, 2>>;
using Opt3 = std::optional<std::array<double, 3>>;

constexpr std::uint64_t U64_MAX = std::numeric_limits<std::uint64_t>::max();

/// A candle whose open equals its close.
Candle hlc(double h, double l, double c) { return Candle{0, c, h, l, c, 1.0}; }
Candle ohlc(double o, double h, double l, double c) { return Candle{0, o, h, l, c, 1.0}; }
Candle ohlcv(double o, double h, double l, double c, double v) { return Candle{0, o, h, l, c, v}; }

/// A deterministic wavy series of valid candles.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return Candle{0, o, std::max(o, c) + 1.5 + 0.5 * std::cos(i * 0.9), std::min(o, c) - 1.0, c,
                1000.0 + 100.0 * std::cos(i * 0.5)};
}

/// Equal, with NaN equal to NaN (levels that are not set yet).
bool same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

template <std::size_t N>
void expect_rows(const std::vector<std::optional<std::array<double, N>>>& got,
                 const std::vector<std::optional<std::array<double, N>>>& want, const char* what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(got[i].has_value(), want[i].has_value()) << what << " bar " << i + 1;
    if (!got[i]) continue;
    for (std::size_t k = 0; k < N; ++k) {
      EXPECT_TRUE(same((*got[i])[k], (*want[i])[k]))
          << what << " bar " << i + 1 << " field " << k << ": " << (*got[i])[k] << " vs " << (*want[i])[k];
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Construction

TEST(Demark, ConstructorMessages) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;  // null: builds
  };
  const std::string too_large = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string order = "invalid period: TD moving average ST1 period must be strictly less than ST2";
  const Case cases[] = {
      {"TdDeMarker", {16777217}, too_large.c_str()},
      {"TdRei", {16777217}, too_large.c_str()},
      {"TdPressure", {16777217}, too_large.c_str()},
      {"TdDWave", {16777217}, too_large.c_str()},
      {"TdDeMarker", {16777216}, nullptr},
      {"TdRei", {16777216}, nullptr},
      {"TdPressure", {16777216}, nullptr},
      {"TdDWave", {16777216}, nullptr},
      {"TdMovingAverage", {3, 3}, order.c_str()},
      {"TdMovingAverage", {4, 3}, order.c_str()},
      {"TdMovingAverage", {3, 4}, nullptr},
      // The counts' lengths are tested for zero only; their windows grow with the bars that arrive.
      {"TdSetup", {16777217, 16777217}, nullptr},
      {"TdLines", {16777217, 9}, nullptr},
      {"TdRiskLevel", {16777217, 9}, nullptr},
      {"TdSequential", {16777217, 9, 16777217, 13}, nullptr},
      {"TdCountdown", {1, 1, 1, 1}, nullptr},
      {"TdCombo", {1, 1, 1, 1}, nullptr},
      {"TdRangeProjection", {}, nullptr},
      {"TdOpen", {}, nullptr},
      {"TdDifferential", {}, nullptr},
  };
  const std::string p = "invalid parameters for indicator ";
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text == nullptr) {
      EXPECT_TRUE(made.has_value()) << c.name;
    } else {
      ASSERT_FALSE(made.has_value()) << c.name;
      EXPECT_EQ(made.error().display(), p + c.name + ": " + c.text);
    }
  }

  // Zeros cannot pass the factory's parameter reading; the typed constructors refuse them in every
  // position, and TdMovingAverage tests its zeros before the order of its lengths.
  const std::string zero = "period must be greater than zero";
  const std::pair<const char*, std::optional<IndicatorError>> typed[] = {
      {"TdSetup(0, 9)", error_of<TdSetup>(0, 9)},
      {"TdSetup(4, 0)", error_of<TdSetup>(4, 0)},
      {"TdLines(0, 9)", error_of<TdLines>(0, 9)},
      {"TdLines(4, 0)", error_of<TdLines>(4, 0)},
      {"TdRiskLevel(0, 9)", error_of<TdRiskLevel>(0, 9)},
      {"TdRiskLevel(4, 0)", error_of<TdRiskLevel>(4, 0)},
      {"TdSequential(0, 9, 2, 13)", error_of<TdSequential>(0, 9, 2, 13)},
      {"TdSequential(4, 0, 2, 13)", error_of<TdSequential>(4, 0, 2, 13)},
      {"TdSequential(4, 9, 0, 13)", error_of<TdSequential>(4, 9, 0, 13)},
      {"TdSequential(4, 9, 2, 0)", error_of<TdSequential>(4, 9, 2, 0)},
      {"TdCountdown(0, 9, 2, 13)", error_of<TdCountdown>(0, 9, 2, 13)},
      {"TdCountdown(4, 9, 2, 0)", error_of<TdCountdown>(4, 9, 2, 0)},
      {"TdCombo(4, 0, 2, 13)", error_of<TdCombo>(4, 0, 2, 13)},
      {"TdCombo(4, 9, 0, 13)", error_of<TdCombo>(4, 9, 0, 13)},
      {"TdMovingAverage(0, 3)", error_of<TdMovingAverage>(0, 3)},
      {"TdMovingAverage(3, 0)", error_of<TdMovingAverage>(3, 0)},
      {"TdDeMarker(0)", error_of<TdDeMarker>(0)},
      {"TdRei(0)", error_of<TdRei>(0)},
      {"TdPressure(0)", error_of<TdPressure>(0)},
      {"TdDWave(0)", error_of<TdDWave>(0)},
  };
  for (const auto& [name, err] : typed) {
    ASSERT_TRUE(err.has_value()) << name;
    EXPECT_EQ(err->display(), zero) << name;
  }

  // Warm-ups that would wrap saturate instead.
  EXPECT_EQ(TdSetup::create(U64_MAX, 9)->warmup_period(), U64_MAX);
  EXPECT_EQ(TdLines::create(U64_MAX, 9)->warmup_period(), U64_MAX);
  EXPECT_EQ(TdRiskLevel::create(U64_MAX, 9)->warmup_period(), U64_MAX);
  EXPECT_EQ(TdSequential::create(1, 9, U64_MAX, 13)->warmup_period(), U64_MAX);
  EXPECT_EQ(TdDWave::create(16777216)->warmup_period(), 2u * 16777216u + 1u);
}

// ---------------------------------------------------------------------------------------------------
// Warm-up, skipped bars and named outputs through the factory

TEST(Demark, FirstValueAtWarmupAndInvalidBarsChangeNothing) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::uint64_t warmup;
    bool yields_at_warmup;  // false: the first value waits for a completed setup or a first leg
  };
  const Case cases[] = {
      {"TdSetup", {4, 9}, 5, true},
      {"TdSetup", {1, 1}, 2, true},
      {"TdSequential", {4, 9, 2, 13}, 5, true},
      {"TdSequential", {2, 9, 4, 13}, 5, true},
      {"TdCountdown", {3, 9, 6, 13}, 7, true},
      {"TdCombo", {6, 9, 3, 13}, 7, true},
      {"TdLines", {4, 3}, 5, false},
      {"TdRiskLevel", {4, 3}, 5, false},
      {"TdRangeProjection", {}, 1, true},
      {"TdMovingAverage", {3, 5}, 5, true},
      {"TdDeMarker", {14}, 15, true},
      {"TdDeMarker", {1}, 2, true},
      {"TdRei", {5}, 13, true},
      {"TdPressure", {5}, 5, true},
      {"TdDWave", {3}, 7, false},
      {"TdOpen", {}, 2, true},
      {"TdClop", {}, 2, true},
      {"TdClopwin", {}, 2, true},
      {"TdCamouflage", {}, 2, true},
      {"TdPropulsion", {}, 2, true},
      {"TdTrap", {}, 3, true},
      {"TdDifferential", {}, 3, true},
  };
  for (const auto& c : cases) {
    auto dirty = create_indicator(c.name, c.params);
    auto clean = create_indicator(c.name, c.params);
    ASSERT_TRUE(dirty.has_value() && clean.has_value()) << c.name;
    EXPECT_EQ((*dirty)->warmup_period(), c.warmup) << c.name;
    std::uint64_t valid = 0;
    std::uint64_t first = 0;
    for (int i = 1; i <= 80; ++i) {
      if (i % 7 == 2) {
        // An invalid bar (high below low): nothing, no count, the named values stay.
        Candle broken = wave(i);
        broken.low = broken.high + 1.0;
        const auto held = (*dirty)->extra_outputs();
        const std::vector<NamedValue> before(held.begin(), held.end());
        EXPECT_FALSE((*dirty)->update(bar(broken)).has_value()) << c.name << " bar " << i;
        const auto after = (*dirty)->extra_outputs();
        ASSERT_EQ(after.size(), before.size()) << c.name;
        for (std::size_t k = 0; k < after.size(); ++k) EXPECT_TRUE(same(after[k].value, before[k].value));
        continue;
      }
      ++valid;
      const auto v = (*dirty)->update(bar(wave(i)));
      const auto expected = (*clean)->update(bar(wave(i)));
      ASSERT_EQ(v.has_value(), expected.has_value()) << c.name << " valid bar " << valid;
      if (v.has_value() && first == 0) first = valid;
      if (v) {
        EXPECT_TRUE(same(*v, *expected)) << c.name << " valid bar " << valid;
        const auto a = (*dirty)->extra_outputs();
        const auto b = (*clean)->extra_outputs();
        ASSERT_EQ(a.size(), b.size()) << c.name;
        for (std::size_t k = 0; k < a.size(); ++k) EXPECT_TRUE(same(a[k].value, b[k].value)) << c.name;
      }
    }
    if (c.yields_at_warmup) {
      EXPECT_EQ(first, c.warmup) << c.name;
    } else {
      EXPECT_GE(first, c.warmup) << c.name;
      EXPECT_NE(first, 0u) << c.name << " never yields on the wave";
    }
  }
}

TEST(Demark, NamedOutputsInOrderWithTheFirstAsPrimary) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::vector<std::string_view> outputs;
  };
  const Case cases[] = {
      {"TdSequential", {4, 9, 2, 13}, {"setup", "countdown", "direction"}},
      {"TdLines", {2, 2}, {"resistance", "support"}},
      {"TdRiskLevel", {2, 2}, {"buy_risk", "sell_risk"}},
      {"TdRangeProjection", {}, {"high", "low"}},
      {"TdMovingAverage", {3, 5}, {"st1", "st2"}},
      {"TdSetup", {4, 9}, {}},
      {"TdCountdown", {4, 9, 2, 13}, {}},
      {"TdCombo", {4, 9, 2, 13}, {}},
      {"TdDeMarker", {3}, {}},
      {"TdDWave", {2}, {}},
      {"TdTrap", {}, {}},
  };
  for (const auto& c : cases) {
    auto ind = std::move(*create_indicator(c.name, c.params));
    Opt v;
    for (int i = 1; i <= 40; ++i) {
      if (auto x = ind->update(bar(wave(i)))) v = x;
    }
    ASSERT_TRUE(v.has_value()) << c.name;
    const auto named = ind->extra_outputs();
    ASSERT_EQ(named.size(), c.outputs.size()) << c.name;
    for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].name, c.outputs[k]) << c.name;
    if (!named.empty()) {
      EXPECT_TRUE(same(named[0].value, *v)) << c.name;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Setup

TEST(Demark, SetupCountsRunsCapsAtLengthAndResets) {
  struct Case {
    std::uint64_t lookback;
    std::uint64_t length;
    std::vector<double> closes;
    std::vector<Opt> want;
  };
  const Case cases[] = {
      // Nine closes each below the close four bars earlier count 1..9, a tenth stays at 9, a close
      // equal to the one four bars back gives 0, a higher close starts a sell run, and a lower one
      // clears it again.
      {4, 9, {20, 21, 22, 23, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 13, 15, 5},
       {{}, {}, {}, {}, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 0, -1, 1}},
      {1, 2, {1, 2, 3, 4, 3, 3}, {{}, -1, -2, -2, 1, 0}},
  };
  for (const auto& c : cases) {
    TdSetup setup(c.lookback, c.length);
    std::vector<Candle> bars;
    for (double x : c.closes) bars.push_back(hlc(x + 1, x - 1, x));
    EXPECT_EQ(run(setup, bars), c.want) << c.lookback << "/" << c.length;
  }
}

// ---------------------------------------------------------------------------------------------------
// Sequential, countdown, combo

// TdSequential(1, 2, 1, 6): setup on the previous close, direction at a run of 2, the countdown
// counts closes at or below the previous bar's low up to 6; the close of count 1 (= 6 - 5) is the
// qualifier, and the bar that would make 6 also needs its low at or below it.
struct SeqRow {
  double h, l, c;
  Opt3 want;  // setup, countdown, direction
};
const SeqRow SEQUENCE[] = {
    {10, 9, 10, {}},
    {10, 8, 9, {{1, 0, 0}}},       // buy run 1, no direction yet
    {9, 7, 8, {{2, 1, 1}}},        // buy run 2: direction buy; 8 <= 8 counts 1, qualifier 8
    {12, 8, 12, {{-1, 1, 1}}},     // sell run 1; 12 > 7: no count
    {12, 7.9, 8, {{1, 2, 1}}},     // 8 <= 8: count 2
    {14, 8, 14, {{-1, 2, 1}}},
    {14, 8, 8, {{1, 3, 1}}},
    {16, 8, 16, {{-1, 3, 1}}},
    {16, 8, 8, {{1, 4, 1}}},
    {18, 9, 18, {{-1, 4, 1}}},
    {18, 9, 9, {{1, 5, 1}}},
    {20, 10, 20, {{-1, 5, 1}}},
    {20, 10, 10, {{1, 5, 1}}},     // 10 <= 10 would make 6, but its low 10 is above the qualifier 8
    {10, 7, 7, {{2, 6, 1}}},       // a second buy setup keeps the countdown; low 7 <= 8 completes it
    {9, 6, 6, {{2, 6, 1}}},        // the count stays at 6
    {8, 6, 8, {{-1, 6, 1}}},
    {9, 7, 9, {{-2, -1, -1}}},     // sell setup: direction sell, countdowns cleared, 9 >= 8 counts 1
};

TEST(Demark, SequentialQualifiedCountdownAndDirectionChanges) {
  TdSequential seq(1, 2, 1, 6);
  EXPECT_EQ(seq.warmup_period(), 2u);
  std::vector<Candle> bars;
  std::vector<Opt3> want;
  for (const auto& r : SEQUENCE) {
    bars.push_back(hlc(r.h, r.l, r.c));
    want.push_back(r.want);
  }
  expect_rows(run(seq, bars), want, "TdSequential");
}

TEST(Demark, CountdownOnTheMirroredSequenceCountsTheSellSide) {
  // Mirrored prices (30 - x, high and low swapped) turn every buy rule into its sell rule: the
  // countdown is the negated one above, the qualifier now tested against the high.
  TdCountdown countdown(1, 2, 1, 6);
  TdCountdown same_buy(1, 2, 1, 6);
  std::vector<Candle> mirrored;
  std::vector<Candle> bars;
  std::vector<Opt> want;
  std::vector<Opt> want_buy;
  for (const auto& r : SEQUENCE) {
    mirrored.push_back(hlc(30 - r.l, 30 - r.h, 30 - r.c));
    bars.push_back(hlc(r.h, r.l, r.c));
    want.push_back(r.want ? Opt(-(*r.want)[1]) : Opt());
    want_buy.push_back(r.want ? Opt((*r.want)[1]) : Opt());
  }
  EXPECT_EQ(run(countdown, mirrored), want);
  EXPECT_EQ(run(same_buy, bars), want_buy);
}

TEST(Demark, ComboCountsWithoutQualifier) {
  // TdCombo(1, 2, 2, 3): in buy direction a bar counts when C < C[1], C <= the low two bars back and
  // L <= L[1].
  struct Row {
    double h, l, c;
    Opt want;
  };
  const Row rows[] = {
      {10, 9, 10, {}},
      {10, 8, 9, {}},
      {9, 7, 8, 0},         // buy run 1, no direction
      {8, 6, 7, 1},         // buy setup: 7 < 8, 7 <= 8, 6 <= 7: count 1
      {7.5, 6.5, 6.8, 1},   // low 6.5 above the previous low 6: no count
      {7, 5, 6.9, 1},       // close up: no count (sell run 1)
      {6.9, 4, 5, 2},       // 5 < 6.9, 5 <= 6.5, 4 <= 5
      {5, 3, 4, 3},         // second buy setup, same direction: 3 = N
      {4, 2, 3, 3},         // stays at N
      {6, 3, 6, 3},
      {8, 5, 8, -1},        // sell setup: reset; 8 > 6, 8 >= 4, 8 >= 6 counts 1
  };
  TdCombo combo(1, 2, 2, 3);
  EXPECT_EQ(combo.warmup_period(), 3u);
  std::vector<Candle> bars;
  std::vector<Opt> want;
  for (const auto& r : rows) {
    bars.push_back(hlc(r.h, r.l, r.c));
    want.push_back(r.want);
  }
  EXPECT_EQ(run(combo, bars), want);
}

// ---------------------------------------------------------------------------------------------------
// Levels

TEST(Demark, LinesTrackTheRunExtremesAndPersist) {
  struct Row {
    double h, l, c;
    Opt2 want;  // resistance, support
  };
  const Row rows[] = {
      {10, 9, 10, {}},
      {12, 8, 9, {}},              // buy run 1 starts with its own high 12
      {11, 7, 8, {{12, NaN}}},     // buy run 2: resistance 12; support not set yet
      {13, 6, 7, {{13, NaN}}},     // the run stays at 2 and its high rises to 13
      {9, 7, 9, {{13, NaN}}},      // sell run 1, low 7
      {11, 8, 10, {{13, 7}}},      // sell run 2: support 7
      {11, 8, 10, {{13, 7}}},      // equal close: both runs and extremes reset, the levels stay
      {12, 9, 11, {{13, 7}}},      // a fresh sell run, low 9
      {13, 9.5, 12, {{13, 9}}},    // support 9, not the 7 of the earlier run
  };
  TdLines lines(1, 2);
  EXPECT_EQ(lines.warmup_period(), 2u);
  std::vector<Candle> bars;
  std::vector<Opt2> want;
  for (const auto& r : rows) {
    bars.push_back(hlc(r.h, r.l, r.c));
    want.push_back(r.want);
  }
  expect_rows(run(lines, bars), want, "TdLines");
}

TEST(Demark, RiskLevelsUseTheTrueRangeOfTheExtremeBar) {
  struct Row {
    double h, l, c;
    Opt2 want;  // buy_risk, sell_risk
  };
  const Row rows[] = {
      {10, 9, 10, {}},
      {11, 8, 9, {}},                // buy run 1: low 8, TR max(3, 1, 2) = 3
      {9.5, 8, 8.5, {{5, NaN}}},     // a tie does not replace (its TR is 1.5): 8 - 3
      {8, 6, 7, {{3.5, NaN}}},       // low 6, TR max(2, 0.5, |6 - 8.5|) = 2.5: 6 - 2.5
      {9, 7, 9, {{3.5, NaN}}},       // sell run 1: high 9, TR 2
      {12, 9, 11, {{3.5, 15}}},      // sell run 2: high 12, TR 3: 12 + 3
  };
  TdRiskLevel risk(1, 2);
  std::vector<Candle> bars;
  std::vector<Opt2> want;
  for (const auto& r : rows) {
    bars.push_back(hlc(r.h, r.l, r.c));
    want.push_back(r.want);
  }
  expect_rows(run(risk, bars), want, "TdRiskLevel");
}

// ---------------------------------------------------------------------------------------------------
// Range projection and moving average

TEST(Demark, RangeProjectionByBarDirection) {
  struct Case {
    Candle c;
    double high, low;
  };
  // A down bar: X = 8 + (14 + 11) = 33, m = 16.5. An up bar: 10 + (22 + 7) = 39, m = 19.5. A doji:
  // 2 * 9 + (11 + 7) = 36, m = 18. The last row's brackets matter: C + (2H + L) differs from
  // (C + 2H) + L there.
  const double x = 1.1 + (2.0 * 2.3 + 0.7);
  ASSERT_NE(x, (1.1 + 2.0 * 2.3) + 0.7);
  const Case cases[] = {
      {ohlc(10, 11, 7, 8), 9.5, 5.5},
      {ohlc(8, 11, 7, 10), 12.5, 8.5},
      {ohlc(9, 11, 7, 9), 11, 7},
      {ohlc(0.9, 2.3, 0.7, 1.1), x * 0.5 - 0.7, x * 0.5 - 2.3},
  };
  for (const auto& c : cases) {
    const auto v = TdRangeProjection::update(c.c);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ((*v)[0], c.high) << c.c.open << " " << c.c.close;
    EXPECT_EQ((*v)[1], c.low) << c.c.open << " " << c.c.close;
  }
}

TEST(Demark, MovingAverageOfMidpointsYieldsWhenTheLongerIsFull) {
  // Midpoints 10, 12, 14, 8. st1 = 2: 13, then 8 + (26 - 12) = 22 -> 11; st2 = 3: 36 / 3 = 12, then
  // 8 + (36 - 10) = 34 -> 34 / 3.
  TdMovingAverage ma(2, 3);
  EXPECT_EQ(ma.warmup_period(), 3u);
  const Candle bars[] = {hlc(11, 9, 10), hlc(13, 11, 12), hlc(15, 13, 14), hlc(10, 6, 8)};
  expect_rows(run(ma, bars), {{}, {}, {{13, 12}}, {{11, 34.0 / 3.0}}}, "TdMovingAverage");
}

// ---------------------------------------------------------------------------------------------------
// Oscillators

TEST(Demark, DeMarkerRatioAndFlatGuard) {
  // (H, L): (10, 8), (11, 9), (10.5, 7), (12, 8) give (DeMax, DeMin) = (1, 0), (0, 2), (1.5, 0).
  // Bar 3: A = 1 / 2, B = 2 / 2; bar 4: A = 1.5 / 2, B = 2 / 2.
  TdDeMarker dm(2);
  const Candle bars[] = {hlc(10, 8, 8), hlc(11, 9, 9), hlc(10.5, 7, 7), hlc(12, 8, 8)};
  EXPECT_EQ(run(dm, bars), (std::vector<Opt>{{}, {}, 0.5 / (1.0 + 0.5), 0.75 / (1.0 + 0.75)}));

  // A flat series: every DeMax and DeMin is zero: 0.5. Only falling lows: A = 0, value 0.
  TdDeMarker flat(2);
  const Candle flats[] = {hlc(10, 8, 9), hlc(10, 8, 9), hlc(10, 8, 9), hlc(10, 8, 9)};
  EXPECT_EQ(run(flat, flats), (std::vector<Opt>{{}, {}, 0.5, 0.5}));
  TdDeMarker falling(2);
  const Candle falls[] = {hlc(10, 8, 9), hlc(10, 7, 9), hlc(10, 6, 9)};
  EXPECT_EQ(run(falling, falls), (std::vector<Opt>{{}, {}, 0.0}));
}

TEST(Demark, ReiHandCheckedGuardAndClamp) {
  {
    // Six flat bars, then bars whose ranges leave the old ones. Bar 9 overlaps: w = 1, a = 1. Bar 10
    // gaps up but bar 8 overlaps the closes 7-8 bars back: w = 9 + 10, a = 19 -> 20 * 100 / 20. Bar 11
    // likewise: w = a = 12 -> 100. Bar 12 overlaps nothing: w = 0, a = 5 + 5 -> 1200 / 22. Bar 13:
    // w = 0, a = 1 + 2.5 -> 0 / 13.5.
    TdRei rei(2);
    EXPECT_EQ(rei.warmup_period(), 10u);
    std::vector<Candle> bars(6, hlc(11, 9, 10));
    for (const Candle& c : {hlc(12, 10, 11), hlc(11, 9, 10), hlc(13, 10, 12), hlc(20, 19, 19.5), hlc(18, 17, 17.5),
                            hlc(25, 24, 24.5), hlc(20.5, 18, 19)}) {
      bars.push_back(c);
    }
    const std::vector<Opt> want{{}, {}, {}, {}, {}, {}, {}, {}, {}, 100.0, 100.0, 1200.0 / 22.0, 0.0};
    EXPECT_EQ(run(rei, bars), want);
  }
  {
    // A steady rise (bar k = (9 + k, 7 + k, 8 + k)), then a drop: bar 9 does not count (w = 0,
    // a = 4), bar 10 does: w = -3 + -3, a = 6 -> -600 / 10.
    TdRei rei(2);
    std::vector<Candle> bars;
    for (int k = 1; k <= 9; ++k) bars.push_back(hlc(9 + k, 7 + k, 8 + k));
    bars.push_back(hlc(14, 12, 13));
    const auto got = run(rei, bars);
    EXPECT_FALSE(got[8].has_value());
    EXPECT_EQ(got[9], Opt(-60.0));
  }
  {
    // Highs and lows unmoved for n bars: Q = 0 gives 0.
    TdRei rei(3);
    const std::vector<Candle> bars(12, hlc(11, 9, 10));
    const auto got = run(rei, bars);
    EXPECT_FALSE(got[9].has_value());
    EXPECT_EQ(got[10], Opt(0.0));
    EXPECT_EQ(got[11], Opt(0.0));
  }
  {
    // A single move with w = a = d: (d * 100) / d rounds above 100 and is clamped.
    const double d = 1.083 - 1.0;
    ASSERT_GT((d * 100.0) / d, 100.0);
    TdRei rei(1);
    std::vector<Candle> bars(8, hlc(1.0, 0.9, 0.95));
    bars.push_back(hlc(1.083, 0.9, 1.0));
    EXPECT_EQ(run(rei, bars).back(), Opt(100.0));
  }
}

TEST(Demark, PressureRatioAndGuards) {
  // p = (C - O) / (H - L) * V: 25, 0 (no range), -100, 0, 0. Running sums over 2 bars:
  // bar 2: A = 25, B = 150 / 2 -> (12.5 * 100) / 75; bar 3: A = -100 + (25 - 25), B = 250 / 2;
  // bar 4: A = 0 + (-100 - 0), B = 200 / 2; bar 5: B = 0 + (200 - 200) = 0 -> 0.
  TdPressure pressure(2);
  EXPECT_EQ(pressure.warmup_period(), 2u);
  const Candle bars[] = {ohlcv(10, 12, 8, 11, 100), ohlcv(11, 11, 11, 11, 50), ohlcv(11, 13, 9, 9, 200),
                         ohlcv(9, 10, 8, 9, 0), ohlcv(9, 10, 8, 10, 0)};
  EXPECT_EQ(run(pressure, bars), (std::vector<Opt>{{}, 1250.0 / 75.0, -40.0, -50.0, 0.0}));
}

// ---------------------------------------------------------------------------------------------------
// Wave counter

TEST(Demark, DWaveCountsLegsAndWraps) {
  {
    // Alternating high and low bars: every bar from the third makes the middle bar a swing in the
    // other direction, so the wave number runs 1..8 and wraps to 1.
    TdDWave wave_count(1);
    std::vector<Candle> bars;
    for (int i = 1; i <= 12; ++i) bars.push_back(i % 2 == 1 ? hlc(11, 9, 10) : hlc(12, 10, 11));
    const std::vector<Opt> want{{}, {}, 1, 2, 3, 4, 5, 6, 7, 8, 1, 2};
    EXPECT_EQ(run(wave_count, bars), want);
  }
  {
    // A swing high starts the up leg (1), a swing low the down leg (2), the next swing high leg 3; a
    // further swing high within the up leg (the 14 of bar 6) only raises its extreme.
    TdDWave wave_count(1);
    const Candle bars[] = {hlc(10, 9, 9),   hlc(12, 10, 10), hlc(11, 9.5, 10), hlc(13, 10.5, 11),
                           hlc(12, 11, 11), hlc(14, 11.5, 12), hlc(13, 12, 12), hlc(12, 11.8, 12)};
    EXPECT_EQ(run(wave_count, bars), (std::vector<Opt>{{}, {}, 1, 2, 3, 3, 3, 3}));
  }
  {
    // An outside bar (highest high and lowest low) is neither swing; a strictly rising series has none.
    TdDWave wave_count(1);
    std::vector<Candle> bars{hlc(10, 9, 9), hlc(20, 1, 10), hlc(10, 9, 9)};
    for (int i = 0; i < 20; ++i) bars.push_back(hlc(11 + i, 10 + i, 10.5 + i));
    for (const Opt& v : run(wave_count, bars)) EXPECT_FALSE(v.has_value());
  }
  {
    // With n = 2 a swing needs its high above the two bars on each side.
    TdDWave wave_count(2);
    const Candle bars[] = {hlc(10, 9, 9), hlc(11, 9, 10), hlc(12, 10, 11), hlc(11.5, 9.5, 10), hlc(11, 9, 10),
                           hlc(12.5, 8, 9)};
    EXPECT_EQ(run(wave_count, bars), (std::vector<Opt>{{}, {}, {}, {}, 1, 1}));
  }
}

// ---------------------------------------------------------------------------------------------------
// Entry signals

TEST(Demark, EntrySignals) {
  struct Case {
    const char* name;
    std::vector<Candle> bars;
    std::vector<Opt> want;
  };
  const Candle open_prev = ohlc(11, 12, 10, 11);
  const Candle clop_prev = ohlc(10, 11.5, 9.5, 11);
  const Candle win_prev = ohlc(10, 12.5, 9.5, 12);
  const Candle cam_prev = ohlc(10.5, 11, 9, 10);
  const Candle prop_prev = ohlc(10, 11, 9, 10);
  const Candle trap_outer = ohlc(10, 12, 8, 10);
  const Candle trap_inner = ohlc(10, 11, 9, 10);
  const Case cases[] = {
      // TdOpen: opens below the previous low and trades above it; opens above the high and trades below.
      {"TdOpen", {open_prev, ohlc(9, 11, 8, 10)}, {{}, 1}},
      {"TdOpen", {open_prev, ohlc(13, 14, 11, 12)}, {{}, -1}},
      {"TdOpen", {open_prev, ohlc(11, 12, 10, 11)}, {{}, 0}},
      {"TdOpen", {open_prev, ohlc(9, 11, 8, 10), ohlc(12, 12.5, 10.5, 11)}, {{}, 1, -1}},
      // TdClop: open below both the previous open and close, close above both (and the reverse).
      {"TdClop", {clop_prev, ohlc(9, 12.5, 8.5, 12)}, {{}, 1}},
      {"TdClop", {clop_prev, ohlc(12, 12.5, 9, 9.5)}, {{}, -1}},
      {"TdClop", {clop_prev, ohlc(9, 11, 8.5, 10.5)}, {{}, 0}},
      // TdClopwin: open and close inside the previous body [10, 12], edges included.
      {"TdClopwin", {win_prev, ohlc(10.5, 11.6, 10.4, 11.5)}, {{}, 1}},
      {"TdClopwin", {win_prev, ohlc(11.5, 11.6, 10.4, 10.5)}, {{}, -1}},
      {"TdClopwin", {win_prev, ohlc(11, 11.2, 10.8, 11)}, {{}, 1}},
      {"TdClopwin", {win_prev, ohlc(10, 12, 10, 12)}, {{}, 1}},
      {"TdClopwin", {win_prev, ohlc(9.5, 11.6, 9.4, 11.5)}, {{}, 0}},
      // TdCamouflage: a lower close on an up bar with a lower low (and the reverse).
      {"TdCamouflage", {cam_prev, ohlc(8.5, 9.8, 8, 9.5)}, {{}, 1}},
      {"TdCamouflage", {cam_prev, ohlc(11.5, 12, 10.2, 10.5)}, {{}, -1}},
      {"TdCamouflage", {cam_prev, ohlc(9.8, 9.9, 9.2, 9.5)}, {{}, 0}},
      // TdPropulsion: open at or above the previous close and close above its high (and the reverse).
      {"TdPropulsion", {prop_prev, ohlc(10, 12, 10, 11.5)}, {{}, 1}},
      {"TdPropulsion", {prop_prev, ohlc(10, 10, 8, 8.5)}, {{}, -1}},
      {"TdPropulsion", {prop_prev, ohlc(10, 11, 10, 10.5)}, {{}, 0}},
      // TdTrap: the previous bar inside the one before, then a break out of it.
      {"TdTrap", {trap_outer, trap_inner, ohlc(10, 12, 10, 11.5)}, {{}, {}, 1}},
      {"TdTrap", {trap_outer, trap_inner, ohlc(10, 10, 8, 8.5)}, {{}, {}, -1}},
      {"TdTrap", {trap_outer, trap_inner, ohlc(10, 10.5, 9.5, 10)}, {{}, {}, 0}},
      {"TdTrap", {trap_outer, ohlc(10, 12, 9, 10), ohlc(10, 13, 10, 12.5)}, {{}, {}, 0}},  // equal highs
      {"TdTrap", {trap_outer, trap_inner, ohlc(10, 12, 10, 11.5), ohlc(11, 11.5, 10, 10.2)}, {{}, {}, 1, 0}},
      // TdDifferential: closes 12 > 10 > 9.5 with sp 0.5 < 2 and bp 1.5 > 1; the mirror with
      // closes 8 < 10 < 10.5, sp 1.5 > 1 and bp 0.5 < 2; a high of 12 makes sp 2.5.
      {"TdDifferential", {ohlc(12, 12.5, 11.5, 12), ohlc(11, 12, 9, 10), ohlc(9.6, 10, 8, 9.5)}, {{}, {}, 1}},
      {"TdDifferential", {ohlc(8, 8.5, 7.5, 8), ohlc(9, 11, 8, 10), ohlc(10.4, 12, 10, 10.5)}, {{}, {}, -1}},
      {"TdDifferential", {ohlc(12, 12.5, 11.5, 12), ohlc(11, 12, 9, 10), ohlc(9.6, 12, 8, 9.5)}, {{}, {}, 0}},
  };
  for (const auto& c : cases) {
    auto ind = std::move(*create_indicator(c.name, std::vector<double>{}));
    std::vector<Opt> got;
    for (const Candle& k : c.bars) {
      ASSERT_FALSE(check_candle(k).has_value()) << c.name;
      got.push_back(ind->update(bar(k)));
    }
    EXPECT_EQ(got, c.want) << c.name << " case ending " << c.bars.back().open << "/" << c.bars.back().close;
  }
}

}  // namespace
}  // namespace sorvik

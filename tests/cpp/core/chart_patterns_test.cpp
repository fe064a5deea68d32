// Chart patterns, pivots and Fibonacci levels: the pivot level sets, the swing detector and the
// members built on it, and the window-based structure indicators.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/support.hpp"
#include "indicators/chart_patterns/abcd.hpp"
#include "indicators/chart_patterns/andrews_pitchfork.hpp"
#include "indicators/chart_patterns/auto_fib.hpp"
#include "indicators/chart_patterns/bat.hpp"
#include "indicators/chart_patterns/butterfly.hpp"
#include "indicators/chart_patterns/camarilla.hpp"
#include "indicators/chart_patterns/central_pivot_range.hpp"
#include "indicators/chart_patterns/classic_pivots.hpp"
#include "indicators/chart_patterns/crab.hpp"
#include "indicators/chart_patterns/cup_and_handle.hpp"
#include "indicators/chart_patterns/cypher.hpp"
#include "indicators/chart_patterns/demark_pivots.hpp"
#include "indicators/chart_patterns/double_top_bottom.hpp"
#include "indicators/chart_patterns/dumpling_top.hpp"
#include "indicators/chart_patterns/fib_arcs.hpp"
#include "indicators/chart_patterns/fib_channel.hpp"
#include "indicators/chart_patterns/fib_confluence.hpp"
#include "indicators/chart_patterns/fib_extension.hpp"
#include "indicators/chart_patterns/fib_fan.hpp"
#include "indicators/chart_patterns/fib_projection.hpp"
#include "indicators/chart_patterns/fib_retracement.hpp"
#include "indicators/chart_patterns/fib_time_zones.hpp"
#include "indicators/chart_patterns/fibonacci_pivots.hpp"
#include "indicators/chart_patterns/flag_pennant.hpp"
#include "indicators/chart_patterns/fry_pan_bottom.hpp"
#include "indicators/chart_patterns/gartley.hpp"
#include "indicators/chart_patterns/golden_pocket.hpp"
#include "indicators/chart_patterns/head_and_shoulders.hpp"
#include "indicators/chart_patterns/murrey_math_lines.hpp"
#include "indicators/chart_patterns/pivot_reversal.hpp"
#include "indicators/chart_patterns/rectangle_range.hpp"
#include "indicators/chart_patterns/shark.hpp"
#include "indicators/chart_patterns/swing.hpp"
#include "indicators/chart_patterns/three_drives.hpp"
#include "indicators/chart_patterns/tower_top_bottom.hpp"
#include "indicators/chart_patterns/triangle.hpp"
#include "indicators/chart_patterns/triple_top_bottom.hpp"
#include "indicators/chart_patterns/wedge.hpp"
#include "indicators/chart_patterns/woodie_pivots.hpp"
#include "indicators/chart_patterns/zig_zag.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

std::vector<Candle> flats(const std::vector<double>& prices) {
  std::vector<Candle> out;
  for (double p : prices) out.push_back(flat(p));
  return out;
}

const std::string ZERO = "period must be greater than zero";
const std::string TOO_LARGE = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";

// ---------------------------------------------------------------------------------------------------
// The whole family through the factory

struct Member {
  const char* name;
  std::vector<double> params;
  std::uint64_t warmup;
  // The first bar (0-based) that yields on `alternating()`, a series confirming a pivot on every
  // bar from the second on. The Fibonacci members declare as warm-up the number of pivots they need,
  // one bar fewer than the earliest bar that can hold them; the pattern detectors declare that bar.
  std::size_t first_yield;
  std::vector<std::string_view> outputs;  // empty for single-output types
};

const std::vector<Member>& members() {
  static const std::vector<Member> m = {
      {"ClassicPivots", {}, 1, 0, {"pp", "r1", "r2", "r3", "s1", "s2", "s3"}},
      {"Camarilla", {}, 1, 0, {"pp", "r1", "r2", "r3", "r4", "s1", "s2", "s3", "s4"}},
      {"WoodiePivots", {}, 1, 0, {"pp", "r1", "r2", "s1", "s2"}},
      {"DemarkPivots", {}, 1, 0, {"pp", "r1", "s1"}},
      {"FibonacciPivots", {}, 1, 0, {"pp", "r1", "r2", "r3", "s1", "s2", "s3"}},
      {"CentralPivotRange", {}, 1, 0, {"pivot", "tc", "bc"}},
      {"ZigZag", {0.05}, 2, 1, {"swing", "direction"}},
      {"FibRetracement", {}, 2, 2,
       {"level_0", "level_236", "level_382", "level_500", "level_618", "level_786", "level_1000"}},
      {"AutoFib", {}, 2, 2,
       {"level_0", "level_236", "level_382", "level_500", "level_618", "level_786", "level_1000"}},
      {"FibExtension", {}, 2, 2, {"level_1272", "level_1414", "level_1618", "level_2000", "level_2618"}},
      {"FibProjection", {}, 3, 3, {"level_618", "level_1000", "level_1618", "level_2618"}},
      {"FibChannel", {}, 3, 3, {"base", "level_618", "level_1000", "level_1618"}},
      {"FibFan", {}, 2, 2, {"fan_382", "fan_500", "fan_618"}},
      {"FibArcs", {}, 2, 2, {"arc_382", "arc_500", "arc_618"}},
      {"FibTimeZones", {}, 2, 1, {"on_zone", "bars_to_next"}},
      {"GoldenPocket", {}, 2, 2, {"low", "mid", "high"}},
      {"FibConfluence", {}, 3, 3, {"price", "strength"}},
      {"HeadAndShoulders", {}, 6, 5, {}},
      {"TripleTopBottom", {}, 6, 5, {}},
      {"DoubleTopBottom", {}, 4, 3, {}},
      {"FlagPennant", {}, 4, 3, {}},
      {"Triangle", {}, 5, 4, {}},
      {"Wedge", {}, 5, 4, {}},
      {"CupAndHandle", {}, 5, 4, {}},
      {"RectangleRange", {}, 5, 4, {}},
      {"Abcd", {}, 5, 4, {}},
      {"Bat", {}, 6, 5, {}},
      {"Butterfly", {}, 6, 5, {}},
      {"Crab", {}, 6, 5, {}},
      {"Cypher", {}, 6, 5, {}},
      {"Gartley", {}, 6, 5, {}},
      {"Shark", {}, 6, 5, {}},
      {"ThreeDrives", {}, 8, 7, {}},
      {"TowerTopBottom", {}, 3, 2, {}},
      {"FryPanBottom", {5}, 5, 4, {}},
      {"DumplingTop", {7}, 7, 6, {}},
      {"PivotReversal", {2, 1}, 4, 3, {}},
      {"PivotReversal", {1, 3}, 5, 4, {}},
      {"AndrewsPitchfork", {1}, 3, 4, {"median", "upper", "lower"}},
      {"MurreyMathLines", {4}, 4, 3, {"mm8_8", "mm7_8", "mm6_8", "mm5_8", "mm4_8", "mm3_8", "mm2_8", "mm1_8", "mm0_8"}},
  };
  return m;
}

/// Flat bars alternating 100 and 90: every bar from the second confirms a pivot.
std::vector<Candle> alternating(std::size_t n) {
  std::vector<Candle> out;
  for (std::size_t i = 0; i < n; ++i) out.push_back(flat(i % 2 == 0 ? 100.0 : 90.0));
  return out;
}

TEST(ChartPatterns, WarmupFirstValueAndNamedOutputsInOrder) {
  for (const auto& m : members()) {
    auto ind = make(m.name, m.params);
    ASSERT_TRUE(ind) << m.name;
    EXPECT_EQ(ind->warmup_period(), m.warmup) << m.name;
    const auto series = alternating(40);
    for (std::size_t i = 0; i < series.size(); ++i) {
      const auto v = ind->update(bar(series[i]));
      ASSERT_EQ(v.has_value(), i >= m.first_yield) << m.name << " bar " << i;
      if (!v) {
        EXPECT_TRUE(ind->extra_outputs().empty()) << m.name;
        continue;
      }
      const auto named = ind->extra_outputs();
      ASSERT_EQ(named.size(), m.outputs.size()) << m.name;
      for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].name, m.outputs[k]) << m.name;
      if (!named.empty()) {
        EXPECT_EQ(named[0].value, *v) << m.name;
      }
    }
  }
}

TEST(ChartPatterns, InvalidCandleYieldsNothingAndChangesNothing) {
  // The same bars with an invalid candle (high below low, or a NaN) before each: identical answers.
  std::vector<Candle> series = flats({100, 200, 100, 80, 120, 160, 150, 100, 110, 90, 130, 95, 140, 100});
  const auto more = alternating(12);
  series.insert(series.end(), more.begin(), more.end());
  for (const auto& m : members()) {
    auto clean = make(m.name, m.params);
    auto dirty = make(m.name, m.params);
    ASSERT_TRUE(clean && dirty) << m.name;
    for (const Candle& c : series) {
      Candle broken = c;
      broken.low = broken.high + 50.0;
      EXPECT_FALSE(dirty->update(bar(broken)).has_value()) << m.name;
      Candle nan = c;
      nan.close = NaN;
      EXPECT_FALSE(dirty->update(bar(nan)).has_value()) << m.name;
      const auto a = clean->update(bar(c));
      const auto b = dirty->update(bar(c));
      ASSERT_EQ(a.has_value(), b.has_value()) << m.name;
      if (a) {
        EXPECT_EQ(*a, *b) << m.name;
        const auto na = clean->extra_outputs();
        const auto nb = dirty->extra_outputs();
        ASSERT_EQ(na.size(), nb.size());
        for (std::size_t k = 0; k < na.size(); ++k) EXPECT_EQ(na[k], nb[k]) << m.name;
      }
    }
  }
}

TEST(ChartPatterns, SwingMembersStaySilentWithoutAFivePercentMove) {
  // Highs between 97.3 and 99.5, lows between 96.5 and 98.7: never 5 % from an extreme, so no pivot
  // is ever confirmed.
  for (const auto& m : members()) {
    const std::string name = m.name;
    if (m.warmup == 1 || name == "TowerTopBottom" || name == "FryPanBottom" || name == "DumplingTop" ||
        name == "PivotReversal" || name == "AndrewsPitchfork" || name == "MurreyMathLines") {
      continue;
    }
    auto ind = make(m.name, m.params);
    ASSERT_TRUE(ind);
    for (int i = 0; i < 300; ++i) {
      const double x = 98.0 + std::sin(i * 0.3) + (i % 2 == 0 ? 0.2 : -0.2);
      EXPECT_FALSE(ind->update(bar(hl(x + 0.3, x - 0.3))).has_value()) << m.name << " bar " << i;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Constructor checks

TEST(ChartPatterns, ConstructorChecksInOrder) {
  const std::string zig = "invalid period: ZigZag threshold must be a finite fraction in (0, 1)";
  for (double t : {0.0, -0.0, 1.0, -0.25, 1.5, NaN, Inf, -Inf}) {
    ASSERT_FALSE(ZigZag::create(t).has_value()) << t;
    EXPECT_EQ(ZigZag::create(t).error().display(), zig) << t;
  }
  for (double t : {1e-300, 0.05, 0.5, 0.9999999}) EXPECT_TRUE(ZigZag::create(t).has_value()) << t;

  const std::string pan = "invalid period: frying pan bottom needs period >= 5";
  const std::string dumpling = "invalid period: dumpling top needs period >= 5";
  for (std::uint64_t n : {0u, 1u, 4u}) {
    EXPECT_EQ(FryPanBottom::create(n).error().display(), pan) << n;
    EXPECT_EQ(DumplingTop::create(n).error().display(), dumpling) << n;
  }
  EXPECT_TRUE(FryPanBottom::create(5).has_value());
  EXPECT_TRUE(DumplingTop::create(5).has_value());
  EXPECT_TRUE(FryPanBottom::create(MAX_PERIOD).has_value());
  EXPECT_EQ(FryPanBottom::create(MAX_PERIOD + 1).error().display(), TOO_LARGE);
  EXPECT_EQ(DumplingTop::create(MAX_PERIOD + 1).error().display(), TOO_LARGE);

  struct Pr {
    std::uint64_t left, right;
    std::string want;  // empty: builds
  };
  const Pr pr[] = {
      {0, 1, ZERO},
      {1, 0, ZERO},
      {0, MAX_PERIOD + 1, ZERO},
      {MAX_PERIOD + 1, 0, ZERO},  // both zero checks come before the bound
      {MAX_PERIOD + 1, 1, TOO_LARGE},
      {1, MAX_PERIOD + 1, TOO_LARGE},
      {MAX_PERIOD, MAX_PERIOD, ""},
      {1, 1, ""},
  };
  for (const auto& c : pr) {
    const auto made = PivotReversal::create(c.left, c.right);
    if (c.want.empty()) {
      EXPECT_TRUE(made.has_value()) << c.left << "," << c.right;
      if (made) {
        EXPECT_EQ(made->warmup_period(), c.left + c.right + 1);
      }
    } else {
      ASSERT_FALSE(made.has_value()) << c.left << "," << c.right;
      EXPECT_EQ(made.error().display(), c.want) << c.left << "," << c.right;
    }
  }

  EXPECT_EQ(AndrewsPitchfork::create(0).error().display(), ZERO);
  EXPECT_EQ(AndrewsPitchfork::create(MAX_PERIOD + 1).error().display(), TOO_LARGE);
  ASSERT_TRUE(AndrewsPitchfork::create(MAX_PERIOD).has_value());
  EXPECT_EQ(AndrewsPitchfork::create(MAX_PERIOD)->warmup_period(), 2 * MAX_PERIOD + 1);
  EXPECT_EQ(MurreyMathLines::create(0).error().display(), ZERO);
  EXPECT_EQ(MurreyMathLines::create(MAX_PERIOD + 1).error().display(), TOO_LARGE);
  EXPECT_TRUE(MurreyMathLines::create(MAX_PERIOD).has_value());

  // Through the factory, the message is wrapped with the canonical name.
  EXPECT_EQ(create_indicator("ZigZag", std::vector<double>{1.0}).error().display(),
            "invalid parameters for indicator ZigZag: " + zig);
  EXPECT_EQ(create_indicator("FryPanBottom", std::vector<double>{4}).error().display(),
            "invalid parameters for indicator FryPanBottom: " + pan);
  EXPECT_EQ(create_indicator("PivotReversal", std::vector<double>{3}).error().display(),
            "invalid parameters for indicator PivotReversal: missing parameter #1");
}

// ---------------------------------------------------------------------------------------------------
// Pivot level sets

TEST(ChartPatterns, PivotLevelSets) {
  // H = 14, L = 8, C = 11: P = 11 and R = 6, so the classic and Woodie levels are exact.
  const Candle c = candle(10, 14, 8, 11);
  EXPECT_EQ(*ClassicPivots::update(c), (std::array<double, 7>{11, 14, 17, 20, 8, 5, 2}));
  EXPECT_EQ(*WoodiePivots::update(c), (std::array<double, 5>{11, 14, 17, 8, 5}));
  // Every classic level of a bar with H = L = C = 10 is 10.
  EXPECT_EQ(*ClassicPivots::update(flat(10)), (std::array<double, 7>{10, 10, 10, 10, 10, 10, 10}));

  // Camarilla: W = 1.1 R is formed first, then divided.
  const auto cam = *Camarilla::update(c);
  const double w = 1.1 * 6.0;
  const std::array<double, 9> cam_hand{11, 11.55, 12.1, 12.65, 14.3, 10.45, 9.9, 9.35, 7.7};
  for (std::size_t i = 0; i < 9; ++i) EXPECT_NEAR(cam[i], cam_hand[i], 1e-12) << i;
  EXPECT_EQ(cam[1], 11.0 + w / 12.0);
  EXPECT_EQ(cam[8], 11.0 - w / 2.0);

  const auto fib = *FibonacciPivots::update(c);
  const std::array<double, 7> fib_hand{11, 13.292, 14.708, 17, 8.708, 7.292, 5};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_NEAR(fib[i], fib_hand[i], 1e-12) << i;
  EXPECT_EQ(fib[1], 11.0 + 0.382 * 6.0);

  // DeMark: X depends on the bar's direction; a doji (C = O) weights the close twice.
  struct Dm {
    Candle c;
    std::array<double, 3> want;
  };
  const Dm dm[] = {
      {candle(12, 14, 8, 11), {10.25, 12.5, 6.5}},   // falling: X = H + 2L + C = 41
      {candle(9, 14, 8, 11), {11.75, 15.5, 9.5}},    // rising: X = 2H + L + C = 47
      {candle(11, 14, 8, 11), {11, 14, 8}},          // doji: X = H + L + 2C = 44
  };
  for (const auto& d : dm) EXPECT_EQ(*DemarkPivots::update(d.c), d.want);

  // Central pivot range: tc is the higher of the midpoint and its reflection about the pivot.
  const auto up = *CentralPivotRange::update(candle(10, 14, 8, 13));
  EXPECT_EQ(up[0], 35.0 / 3.0);
  EXPECT_EQ(up[1], 2.0 * (35.0 / 3.0) - 11.0);
  EXPECT_EQ(up[2], 11.0);
  const auto down = *CentralPivotRange::update(candle(10, 14, 8, 9));
  EXPECT_EQ(down[0], 31.0 / 3.0);
  EXPECT_EQ(down[1], 11.0);
  EXPECT_EQ(down[2], 2.0 * (31.0 / 3.0) - 11.0);
}

// ---------------------------------------------------------------------------------------------------
// Swing detector and ZigZag

TEST(ChartPatterns, SwingDetectorThresholdsTiesAndCapacity) {
  // Threshold 0.5 keeps the arithmetic exact: a high of 100 is confirmed by a low of 50 or less.
  chart::SwingDetector<2> s(0.5);
  struct Step {
    Candle c;
    bool confirmed;
    int direction;
  };
  const Step steps[] = {
      {hl(100, 60), false, 1},  // bar 0: a rising leg starts at the first high, whatever the low
      {hl(100, 51), false, 1},  // a tie does not extend the leg; 51 is not low enough
      {hl(90, 50), true, -1},   // 50 <= 0.5 * 100 confirms the high of bar 0 (the first of the tie)
      {hl(70, 40), false, -1},  // a lower low extends the falling leg to 40 at bar 3
      {hl(59.5, 45), false, -1},
      {hl(60, 55), true, 1},    // 60 >= 1.5 * 40 confirms the low
      {hl(80, 70), false, 1},
      {hl(75, 40), true, -1},   // the third pivot drops the oldest (capacity 2)
  };
  for (const auto& st : steps) {
    EXPECT_EQ(s.update(st.c.high, st.c.low), st.confirmed);
    EXPECT_EQ(s.direction(), st.direction);
  }
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].price, 40.0);
  EXPECT_EQ(s[0].kind, -1);
  EXPECT_EQ(s[0].bar, 3u);
  EXPECT_EQ(s[1].price, 80.0);
  EXPECT_EQ(s[1].kind, 1);
  EXPECT_EQ(s[1].bar, 6u);
}

TEST(ChartPatterns, ZigZagFollowsTheLatestPivot) {
  auto z = *ZigZag::create(0.5);
  const auto out = run(z, {hl(100, 60), hl(100, 51), hl(90, 50), hl(70, 40), hl(60, 55), hl(58, 57)});
  EXPECT_FALSE(out[0] || out[1]);
  EXPECT_EQ(*out[2], (std::array<double, 2>{100, -1}));
  EXPECT_EQ(*out[3], (std::array<double, 2>{100, -1}));
  EXPECT_EQ(*out[4], (std::array<double, 2>{40, 1}));
  EXPECT_EQ(*out[5], (std::array<double, 2>{40, 1}));
}

// ---------------------------------------------------------------------------------------------------
// Fibonacci members

// Pivots of `legs()`: a high of 200 at bar 1 (confirmed at bar 2), a low of 80 at bar 3 (confirmed at
// bar 4), a high of 160 at bar 5 (confirmed at bar 6, by 150 <= 0.95 * 160); then flat.
std::vector<Candle> legs() { return flats({100, 200, 100, 80, 120, 160, 150, 150, 150, 150, 150}); }

TEST(ChartPatterns, FibonacciLevelsFromTheLastSwing) {
  {
    FibRetracement f;
    const auto out = run(f, legs());
    EXPECT_FALSE(out[3]);
    // A = 200, B = 80: B + x (A - B).
    const std::array<double, 7> at4{80, 108.32, 125.84, 140, 154.16, 174.32, 200};
    for (std::size_t i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ((*out[4])[i], at4[i]) << i;
    EXPECT_EQ((*out[4])[0], 80.0);
    EXPECT_EQ((*out[4])[6], 200.0);
    // The third pivot pushes the first out: A = 80, B = 160.
    const std::array<double, 7> at6{160, 141.12, 129.44, 120, 110.56, 97.12, 80};
    for (std::size_t i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ((*out[10])[i], at6[i]) << i;
  }
  {
    FibExtension f;
    const auto out = run(f, legs());
    // g = B - A = -120 from A = 200.
    const std::array<double, 5> at4{47.36, 30.32, 5.84, -40, -114.16};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_NEAR((*out[4])[i], at4[i], 1e-12) << i;
    EXPECT_EQ((*out[4])[1], -120.0 * 1.414 + 200.0);
  }
  {
    FibProjection f;
    const auto out = run(f, legs());
    EXPECT_FALSE(out[5]);
    // h = P1 - P0 = -120 projected from P2 = 160.
    const std::array<double, 4> at6{85.84, 40, -34.16, -154.16};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR((*out[6])[i], at6[i], 1e-12) << i;
  }
  {
    GoldenPocket g;
    const auto out = run(g, legs());
    // A = 200, B = 80: 0.618 -> 154.16, 0.65 -> 158.
    EXPECT_DOUBLE_EQ((*out[4])[0], 154.16);
    EXPECT_DOUBLE_EQ((*out[4])[1], 156.08);
    EXPECT_EQ((*out[4])[2], 158.0);
    // A = 80, B = 160: the 0.65 level is now the lower one.
    EXPECT_EQ((*out[6])[0], 108.0);
    EXPECT_DOUBLE_EQ((*out[6])[1], 109.28);
    EXPECT_DOUBLE_EQ((*out[6])[2], 110.56);
  }
}

TEST(ChartPatterns, FibonacciLinesThroughTime) {
  {
    FibChannel f;
    const auto out = run(f, legs());
    // Base line through (1, 200) and (5, 160): slope -10; the middle pivot (3, 80) lies t = -100
    // from it.
    EXPECT_EQ(*out[6], (std::array<double, 4>{150, -100 * 0.618 + 150, 50, 1.618 * -100 + 150}));
    EXPECT_DOUBLE_EQ((*out[6])[1], 88.2);
    EXPECT_EQ(*out[8], (std::array<double, 4>{130, -100 * 0.618 + 130, 30, 1.618 * -100 + 130}));
  }
  {
    FibFan f;
    const auto out = run(f, legs());
    // A = (1, 200), B = (3, 80); at bar 4, u = 3 / 2.
    EXPECT_EQ(*out[4], (std::array<double, 3>{0.618 * -120.0 * 1.5 + 200, 110, 0.382 * -120.0 * 1.5 + 200}));
    EXPECT_DOUBLE_EQ((*out[4])[0], 88.76);
    EXPECT_DOUBLE_EQ((*out[4])[2], 131.24);
    // At B's bar each line sits on the retracement of its name; at bar 5, u = 2.
    EXPECT_EQ((*out[5])[1], 80.0);
  }
  {
    FibArcs f;
    const auto out = run(f, legs());
    // Centred on B = (3, 80); at bar 4, u = 1/2 and v = sqrt(3/4).
    const double v = std::sqrt(0.75);
    EXPECT_EQ(*out[4], (std::array<double, 3>{0.382 * 120.0 * v + 80, 120.0 * 0.5 * v + 80, 0.618 * 120.0 * v + 80}));
    EXPECT_DOUBLE_EQ((*out[4])[1], 131.96152422706632);
    // One swing length after B the arcs close onto it (v = 0).
    EXPECT_EQ(*out[5], (std::array<double, 3>{80, 80, 80}));
  }
}

TEST(ChartPatterns, FibTimeZonesCountFromTheNewestPivot) {
  FibTimeZones f;
  const auto out = run(f, legs());
  EXPECT_FALSE(out[1]);
  struct Z {
    std::size_t bar;
    double on_zone, to_next;
  };
  const Z zones[] = {
      {2, 1, 1},                                   // one bar after the high of bar 1
      {3, 1, 1},                                   // d = 2
      {4, 1, 1},                                   // the low of bar 3 is now the newest: d = 1
      {6, 1, 1}, {7, 1, 1}, {8, 1, 2}, {9, 0, 1},  // from the high of bar 5: d = 1, 2, 3, 4
      {10, 1, 3},                                  // d = 5
  };
  for (const auto& z : zones) EXPECT_EQ(*out[z.bar], (std::array<double, 2>{z.on_zone, z.to_next})) << z.bar;

  // The pivot is stamped with the first bar of a tie.
  FibTimeZones tie;
  const auto t = run(tie, flats({100, 100, 100, 90}));
  EXPECT_EQ(*t[3], (std::array<double, 2>{1, 2}));  // d = 3 - 0
}

TEST(ChartPatterns, AutoFibTakesTheWidestSwingLaterOnATie) {
  AutoFib a;
  const auto out = run(a, legs());
  // Swings 200 -> 80 (120) and 80 -> 160 (80): the first is wider.
  EXPECT_EQ((*out[6])[0], 80.0);
  EXPECT_EQ((*out[6])[3], 140.0);
  EXPECT_EQ((*out[6])[6], 200.0);
  // Swings 200 -> 80 and 80 -> 200 tie: the later one (A = 80, B = 200) wins.
  AutoFib t;
  const auto tied = run(t, flats({100, 200, 100, 80, 200, 100}));
  EXPECT_EQ((*tied[5])[0], 200.0);
  EXPECT_EQ((*tied[5])[3], 140.0);
  EXPECT_EQ((*tied[5])[6], 80.0);
  EXPECT_DOUBLE_EQ((*tied[5])[1], 200.0 - 0.236 * 120.0);
}

TEST(ChartPatterns, FibConfluenceClustersLevels) {
  FibConfluence f;
  const auto out = run(f, flats({100, 200, 100, 80, 120, 160, 150, 100, 110, 110}));
  EXPECT_FALSE(out[5]);
  // Pivots 200, 80, 160: levels 125.84, 140, 154.16, 129.44, 120, 110.56; 125.84 and 129.44 match
  // each other and nothing else.
  EXPECT_DOUBLE_EQ((*out[6])[0], 127.64);
  EXPECT_EQ((*out[6])[1], 2.0);
  EXPECT_EQ(*out[7], *out[6]);
  // A fourth pivot, 100, adds 122.92, 130, 137.08. Three levels now head clusters of three:
  // 125.84 {125.84, 129.44, 122.92}, 129.44 {125.84, 129.44, 130} and 122.92 {125.84, 120, 122.92};
  // the last one wins, its members summed in level order.
  const double l1 = chart::retracement(0.382, 200, 80);
  const double l5 = chart::retracement(0.5, 80, 160);
  const double l7 = chart::retracement(0.382, 160, 100);
  EXPECT_EQ(*out[8], (std::array<double, 2>{(0.0 + l1 + l5 + l7) / 3.0, 3.0}));
  EXPECT_DOUBLE_EQ((*out[8])[0], 122.92);
  EXPECT_EQ(*out[9], *out[8]);
}

// ---------------------------------------------------------------------------------------------------
// Pattern detectors

/// Flat bars through the given pivot prices plus a last price that confirms the final pivot. A
/// leading higher price makes the first listed pivot a swing low.
struct PatternCase {
  const char* name;
  std::vector<double> prices;
  double want;  // on the last bar
};

template <class T>
void check_pattern(const char* type, const std::vector<PatternCase>& cases) {
  for (const auto& pc : cases) {
    T det;
    std::vector<Candle> series = flats(pc.prices);
    series.push_back(series.back());  // no new pivot: back to 0
    const auto out = run(det, series);
    ASSERT_TRUE(out[out.size() - 2].has_value()) << type << " " << pc.name;
    EXPECT_EQ(*out[out.size() - 2], pc.want) << type << " " << pc.name;
    EXPECT_EQ(out.back(), 0.0) << type << " " << pc.name;
  }
}

TEST(ChartPatterns, DoubleTripleAndHeadAndShoulders) {
  check_pattern<DoubleTopBottom>("DoubleTopBottom", {
      {"top", {100, 80, 101, 90}, -1},
      {"bottom", {120, 80, 100, 81, 95}, 1},
      {"second high 10 % above", {100, 80, 110, 90}, 0},
  });
  check_pattern<TripleTopBottom>("TripleTopBottom", {
      {"top", {100, 80, 101, 82, 100, 90}, -1},
      {"bottom", {120, 80, 100, 81, 101, 80, 95}, 1},
      {"third high apart", {100, 80, 101, 82, 110, 90}, 0},
  });
  check_pattern<HeadAndShoulders>("HeadAndShoulders", {
      {"head and shoulders", {100, 80, 120, 81, 101, 90}, -1},
      {"inverse", {120, 80, 100, 60, 101, 81, 95}, 1},
      // The middle pivot is below the first, so only the inverse form applies; a high completes it.
      {"head below the shoulders, ending high", {120, 80, 100, 81, 121, 100}, 0},
      {"necklines apart", {100, 80, 120, 90, 101, 90}, 0},
  });
}

TEST(ChartPatterns, FlagsCupsAndFourPivotGeometry) {
  check_pattern<FlagPennant>("FlagPennant", {
      {"bull flag", {130, 100, 150, 130, 140}, 1},
      {"bear flag", {100, 50, 60, 55}, -1},
      {"retracement over half the pole", {100, 50, 80, 70}, 0},
  });
  check_pattern<CupAndHandle>("CupAndHandle", {
      {"cup and handle", {100, 70, 101, 90, 100}, 1},
      {"inverted", {120, 100, 130, 99, 110, 100}, -1},
      {"handle below the cup", {100, 70, 101, 60, 100}, 0},
  });
  check_pattern<RectangleRange>("RectangleRange", {
      {"ended by a low", {100, 80, 101, 81, 95}, 1},
      {"ended by a high", {120, 80, 100, 81, 101, 90}, -1},
      {"highs apart", {100, 80, 110, 81, 95}, 0},
  });
  check_pattern<Wedge>("Wedge", {
      {"rising", {100, 80, 105, 95, 100}, -1},
      {"falling", {100, 80, 85, 76, 85}, 1},
      {"parallel channel", {100, 80, 105, 85, 100}, 0},
  });
  check_pattern<Triangle>("Triangle", {
      {"ascending", {100, 80, 101, 90, 100}, 1},
      {"descending", {100, 80, 90, 81, 90}, -1},
      {"symmetrical ended by a low", {100, 80, 90, 85, 95}, 1},
      {"symmetrical ended by a high", {120, 80, 100, 85, 90, 85}, -1},
      {"rising highs", {100, 80, 110, 90, 100}, 0},
  });
  // Both retracements within [0.382, 0.886] make |D - C| at most 0.785 |B - A|, never within 10 % of
  // it: the classic AB = CD (a 0.618 retracement and an equal second leg) gives 0.
  check_pattern<Abcd>("Abcd", {
      {"classic AB = CD", {200, 100, 161.8, 61.8, 70}, 0},
      {"shallow legs", {200, 100, 150, 110, 120}, 0},
  });
}

/// The XABCD pivots of each harmonic (X = 100 a swing low, D a swing low), with their ratios.
struct Harmonic {
  const char* name;
  std::array<double, 5> xabcd;
};
const std::vector<Harmonic>& harmonics() {
  static const std::vector<Harmonic> h = {
      {"Gartley", {100, 200, 140, 170, 122}},  // 0.6, 0.5, 1.6, 0.78
      {"Bat", {100, 200, 155, 182, 112}},      // 0.45, 0.6, 2.59, 0.88
      {"Butterfly", {100, 200, 120, 160, 60}},  // 0.8, 0.5, 2.5, 1.4
      {"Crab", {100, 200, 140, 188, 40}},       // 0.6, 0.8, 3.08, 1.6
      {"Shark", {100, 200, 70, 304, 105}},      // 1.3, 1.8, 0.85, 0.95
      {"Cypher", {100, 200, 150, 230, 130}},    // AB/XA 0.5, XC/XA 1.3, CD/XC 0.77
  };
  return h;
}

/// Flat bars through the pivots, then one bar confirming D and one more without a new pivot.
std::vector<Candle> xabcd_bars(const std::array<double, 5>& p, bool mirrored) {
  std::vector<double> prices;
  if (!mirrored) prices.push_back(120);  // a leading high makes X a swing low
  for (double x : p) prices.push_back(mirrored ? 400.0 - x : x);
  const double d = prices.back();
  prices.push_back(mirrored ? 0.9 * d : 1.1 * d);
  prices.push_back(prices.back());
  return flats(prices);
}

template <class T>
std::vector<std::optional<double>> signals(const std::vector<Candle>& bars) {
  T det;
  return run(det, bars);
}

std::vector<std::optional<double>> harmonic_signals(std::string_view type, const std::vector<Candle>& bars) {
  if (type == "Gartley") return signals<Gartley>(bars);
  if (type == "Bat") return signals<Bat>(bars);
  if (type == "Butterfly") return signals<Butterfly>(bars);
  if (type == "Crab") return signals<Crab>(bars);
  if (type == "Shark") return signals<Shark>(bars);
  return signals<Cypher>(bars);
}

TEST(ChartPatterns, HarmonicsFireOnlyOnTheirOwnRatios) {
  for (const auto& series : harmonics()) {
    for (const bool mirrored : {false, true}) {
      // The mirror about 200 (X a swing high, D a swing high) keeps every leg.
      const auto bars = xabcd_bars(series.xabcd, mirrored);
      for (const auto& det : harmonics()) {
        const bool own = std::string_view(det.name) == series.name;
        const auto out = harmonic_signals(det.name, bars);
        const double want = !own ? 0.0 : mirrored ? -1.0 : 1.0;
        EXPECT_EQ(out[out.size() - 2], want) << det.name << " on " << series.name << (mirrored ? " mirrored" : "");
        EXPECT_EQ(out.back(), 0.0) << det.name;
      }
    }
  }
}

TEST(ChartPatterns, ThreeDrives) {
  check_pattern<ThreeDrives>("ThreeDrives", {
      {"three drives down", {220, 150, 200, 130, 180, 110, 160, 90, 100}, 1},
      {"three drives up", {200, 150, 220, 170, 240, 190, 260, 230}, -1},
      {"third drive too long", {220, 150, 200, 130, 180, 110, 160, 50, 60}, 0},
  });
}

// ---------------------------------------------------------------------------------------------------
// Window-based members

TEST(ChartPatterns, TowerTopBottom) {
  const Candle long_up = candle(10, 20, 10, 18);    // body 0.8 of the range
  const Candle long_down = candle(18, 20, 10, 10);  // body 0.8
  const Candle small = candle(19, 21, 18, 19.5);    // body 1/6
  const Candle half = candle(19, 21, 19, 20);       // body 0.5
  const Candle doji_flat = flat(19);                // no range: counts as small
  struct Tw {
    const char* name;
    Candle a, b, c;
    double want;
  };
  const Tw cases[] = {
      {"top", long_up, small, long_down, -1},
      {"bottom", long_down, small, long_up, 1},
      {"flat middle", long_up, doji_flat, long_down, -1},
      {"middle body too large", long_up, half, long_down, 0},
      {"both rising", long_up, small, long_up, 0},
      {"current flat", long_up, small, flat(15), 0},
      {"first flat", flat(15), small, long_up, 0},
      {"current body exactly half", long_down, small, candle(12, 20, 10, 17), 1},
  };
  for (const auto& t : cases) {
    TowerTopBottom tw;
    EXPECT_FALSE(tw.update(t.a));
    EXPECT_FALSE(tw.update(t.b));
    EXPECT_EQ(tw.update(t.c), t.want) << t.name;
  }
  // The window slides: the next bar is judged on (b, c, next).
  TowerTopBottom tw;
  const auto out = run(tw, {long_down, long_up, small, long_down});
  EXPECT_EQ(out[2], 0.0);
  EXPECT_EQ(out[3], -1.0);
}

TEST(ChartPatterns, FryPanBottomAndDumplingTop) {
  // n = 8: the extreme must sit at position 2 to 5 (n/4 <= t < n - n/4).
  struct Fp {
    const char* name;
    std::vector<double> closes;
    double pan;
  };
  const Fp cases[] = {
      {"rounded bottom", {10, 9, 8, 7, 8, 9, 10, 11}, 1},
      {"low too early", {10, 7, 8, 9, 9, 9, 10, 11}, 0},
      {"low at the last middle position", {10, 9, 9, 9, 9, 7, 10, 11}, 1},
      {"low too late", {10, 9, 9, 9, 9, 9, 7, 11}, 0},
      {"tie: the first occurrence counts", {10, 7, 9, 8, 7, 9, 10, 11}, 0},
      {"tie inside the middle", {10, 9, 7, 8, 7, 9, 10, 11}, 1},
      {"close back at the oldest", {10, 9, 8, 7, 8, 9, 10, 10}, 0},
      {"flat window", {10, 10, 10, 10, 10, 10, 10, 10}, 0},
  };
  for (const auto& c : cases) {
    auto pan = *FryPanBottom::create(8);
    auto dumpling = *DumplingTop::create(8);
    std::optional<double> p, d;
    for (std::size_t i = 0; i < c.closes.size(); ++i) {
      p = pan.update(flat(c.closes[i]));
      d = dumpling.update(flat(20.0 - c.closes[i]));  // the mirror image
      EXPECT_EQ(p.has_value(), i == 7) << c.name;
    }
    EXPECT_EQ(p, c.pan) << c.name;
    EXPECT_EQ(d, -c.pan) << c.name;
  }
  // Only the window counts: one more bar slides the low out of the middle.
  auto pan = *FryPanBottom::create(5);  // t in [1, 4)
  const auto out = run(pan, flats({10, 8, 9, 10, 11, 12}));
  EXPECT_EQ(out[4], 1.0);
  EXPECT_EQ(out[5], 0.0);
}

TEST(ChartPatterns, PivotReversalCrossesTheKeptLevels) {
  {
    auto pr = *PivotReversal::create(2, 1);  // window of 4; the candidate is the third bar
    const auto out = run(pr, {
                                 candle(9.5, 10, 9, 9.5),    // 0
                                 candle(10.5, 11, 10, 10.5),  // 1
                                 candle(13, 15, 12, 13),      // 2: the pivot high 15
                                 candle(12, 14, 11, 12),      // 3: window full, 15 kept
                                 candle(15, 16, 12, 15.5),    // 4: close crosses 15 -> +1
                                 candle(16, 17, 15, 16.5),    // 5: already above -> 0
                                 candle(16, 16.5, 14, 14.5),  // 6: 17 becomes the pivot high
                                 candle(16, 18, 14, 17.5),    // 7: crosses 17
                             });
    EXPECT_FALSE(out[2]);
    EXPECT_EQ(out[3], 0.0);
    EXPECT_EQ(out[4], 1.0);
    EXPECT_EQ(out[5], 0.0);
    EXPECT_EQ(out[6], 0.0);
    EXPECT_EQ(out[7], 1.0);
  }
  {
    auto pr = *PivotReversal::create(1, 1);
    const auto out = run(pr, {candle(19, 20, 18, 19), candle(16, 19, 15, 16), candle(17, 18, 16, 17),
                              candle(15, 17, 14, 14.5), candle(14, 15, 13, 13.5)});
    EXPECT_EQ(out[2], 0.0);   // the pivot low 15 is found
    EXPECT_EQ(out[3], -1.0);  // 14.5 < 15 after 17 >= 15
    EXPECT_EQ(out[4], 0.0);
  }
  {
    // Equal highs: neither is strictly above the other, so no pivot high exists to cross.
    auto pr = *PivotReversal::create(1, 1);
    const auto out = run(pr, {hl(10, 9), hl(12, 11), hl(12, 11), hl(11, 10), candle(12, 14, 12, 13.5)});
    EXPECT_EQ(out[4], 0.0);
  }
}

TEST(ChartPatterns, AndrewsPitchforkFromThreeAlternatingPivots) {
  auto ap = *AndrewsPitchfork::create(1);  // window of 3, the middle bar one before the newest
  const auto out = run(ap, {
                               hl(10, 9),   // 0
                               hl(12, 11),  // 1: high (1, 12), found at bar 2
                               hl(11, 10),  // 2
                               hl(9, 8),    // 3: low (3, 8), found at bar 4
                               hl(10, 9),   // 4
                               hl(13, 12),  // 5: high (5, 13), found at bar 6
                               hl(12, 11),  // 6
                               hl(12, 11),  // 7: not strictly above bar 6's high
                               hl(14, 13),  // 8: a higher high after a high replaces it
                               hl(13, 12),  // 9
                               hl(13.5, 11.5),  // 10: a lower high after a high is ignored
                               hl(12, 11),      // 11
                           });
  for (std::size_t i = 0; i < 6; ++i) EXPECT_FALSE(out[i]) << i;
  // Median line from (1, 12) through (4, 10.5): slope -0.5; the tines pass 3 above and below.
  EXPECT_EQ(*out[6], (std::array<double, 3>{9.5, 12.5, 6.5}));
  EXPECT_EQ(*out[7], (std::array<double, 3>{9, 12, 6}));
  EXPECT_EQ(*out[8], (std::array<double, 3>{8.5, 11.5, 5.5}));
  // Pivots (1, 12), (3, 8), (8, 14): the median aims at (5.5, 11).
  const double s = (11.0 - 12.0) / (5.5 - 1.0);
  const double t2 = 8.0 - (2.0 * s + 12.0);
  const double t3 = 14.0 - (7.0 * s + 12.0);
  for (std::size_t bar : {9u, 10u, 11u}) {
    const double median = static_cast<double>(bar - 1) * s + 12.0;
    EXPECT_EQ(*out[bar], (std::array<double, 3>{median, t3 + median, t2 + median})) << bar;
  }

  // An outside bar (highest high and lowest low) in the middle counts as neither.
  auto outside = *AndrewsPitchfork::create(1);
  const auto o = run(outside, {hl(10, 9), hl(12, 7), hl(11, 8), hl(8, 7.5), hl(10, 9.5), hl(9, 8.8), hl(9, 8.8)});
  for (const auto& v : o) EXPECT_FALSE(v);
}

TEST(ChartPatterns, MurreyMathLinesSplitTheRangeInEighths) {
  auto mm = *MurreyMathLines::create(3);
  const auto out = run(mm, {hl(10, 2), hl(12, 4), hl(9, 3), hl(11, 6)});
  EXPECT_FALSE(out[1]);
  // T = 12, G = 2: E = 1.25.
  EXPECT_EQ(*out[2], (std::array<double, 9>{12, 10.75, 9.5, 8.25, 7, 5.75, 4.5, 3.25, 2}));
  // The oldest bar leaves: G = 3, E = 1.125.
  EXPECT_EQ(*out[3], (std::array<double, 9>{12, 10.875, 9.75, 8.625, 7.5, 6.375, 5.25, 4.125, 3}));
  auto flat_mm = *MurreyMathLines::create(2);
  const auto f = run(flat_mm, flats({5, 5}));
  EXPECT_EQ(*f[1], (std::array<double, 9>{5, 5, 5, 5, 5, 5, 5, 5, 5}));
}

}  // namespace
}  // namespace sorvik

// Directional movement and the trend-strength measures.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/support.hpp"
#include "indicators/directional/adx.hpp"
#include "indicators/directional/adxr.hpp"
#include "indicators/directional/aroon.hpp"
#include "indicators/directional/aroon_oscillator.hpp"
#include "indicators/directional/choppiness_index.hpp"
#include "indicators/directional/dx.hpp"
#include "indicators/directional/minus_di.hpp"
#include "indicators/directional/minus_dm.hpp"
#include "indicators/directional/plus_di.hpp"
#include "indicators/directional/plus_dm.hpp"
#include "indicators/directional/polarized_fractal_efficiency.hpp"
#include "indicators/directional/rwi.hpp"
#include "indicators/directional/ttm_trend.hpp"
#include "indicators/directional/vertical_horizontal_filter.hpp"
#include "indicators/directional/vortex.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Opt = std::optional<double>;

/// A deterministic wavy series of valid candles.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return Candle{0, o, std::max(o, c) + 1.5 + 0.5 * std::cos(i * 0.9), std::min(o, c) - 1.0, c, 1000.0};
}

/// The hand-checked five bars (high, low, close) behind the directional movement values below.
const Candle HAND[] = {hlc(10, 8, 9), hlc(11, 9, 10), hlc(12, 9, 11), hlc(11, 7, 8), hlc(13, 10, 12)};

// ---------------------------------------------------------------------------------------------------
// Construction

TEST(Directional, ConstructorMessages) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;  // null: builds
  };
  const std::string too_large = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string p = "invalid parameters for indicator ";
  const Case cases[] = {
      {"Adx", {16777217}, too_large.c_str()},
      {"Adxr", {16777217}, too_large.c_str()},
      {"Dx", {16777217}, too_large.c_str()},
      {"PlusDi", {16777217}, too_large.c_str()},
      {"MinusDi", {16777217}, too_large.c_str()},
      {"PlusDm", {16777217}, too_large.c_str()},
      {"MinusDm", {16777217}, too_large.c_str()},
      {"Aroon", {16777217}, too_large.c_str()},
      {"AroonOscillator", {16777217}, too_large.c_str()},
      {"Vortex", {16777217}, too_large.c_str()},
      {"VerticalHorizontalFilter", {16777217}, too_large.c_str()},
      {"TtmTrend", {16777217}, too_large.c_str()},
      {"ChoppinessIndex", {16777217}, too_large.c_str()},
      {"ChoppinessIndex", {1}, "invalid period: choppiness index needs period >= 2"},
      {"ChoppinessIndex", {2}, nullptr},
      {"Rwi", {16777217}, too_large.c_str()},
      {"Rwi", {1}, "invalid period: RWI requires period >= 2"},
      {"Rwi", {2}, nullptr},
      {"PolarizedFractalEfficiency", {16777217, 3}, too_large.c_str()},
      {"PolarizedFractalEfficiency", {3, 16777217}, too_large.c_str()},
      {"Adx", {16777216}, nullptr},
      {"Adxr", {16777216}, nullptr},
      {"Aroon", {16777216}, nullptr},
      {"Rwi", {16777216}, nullptr},
      {"ChoppinessIndex", {16777216}, nullptr},
      {"PolarizedFractalEfficiency", {16777216, 16777216}, nullptr},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text == nullptr) {
      EXPECT_TRUE(made.has_value()) << c.name << " " << c.params[0];
    } else {
      ASSERT_FALSE(made.has_value()) << c.name << " " << c.params[0];
      EXPECT_EQ(made.error().display(), p + c.name + ": " + c.text);
    }
  }

  // Zero periods cannot pass the factory's parameter reading; the typed constructors order them.
  const std::string zero = "period must be greater than zero";
  const std::pair<const char*, std::optional<IndicatorError>> typed[] = {
      {"Adx", error_of<Adx>(0)},
      {"Adxr", error_of<Adxr>(0)},
      {"Dx", error_of<Dx>(0)},
      {"PlusDi", error_of<PlusDi>(0)},
      {"MinusDi", error_of<MinusDi>(0)},
      {"PlusDm", error_of<PlusDm>(0)},
      {"MinusDm", error_of<MinusDm>(0)},
      {"Aroon", error_of<Aroon>(0)},
      {"AroonOscillator", error_of<AroonOscillator>(0)},
      {"Vortex", error_of<Vortex>(0)},
      {"VerticalHorizontalFilter", error_of<VerticalHorizontalFilter>(0)},
      {"TtmTrend", error_of<TtmTrend>(0)},
      {"Rwi", error_of<Rwi>(0)},
      {"PolarizedFractalEfficiency(0, 0)", error_of<PolarizedFractalEfficiency>(0, 0)},
      {"PolarizedFractalEfficiency(3, 0)", error_of<PolarizedFractalEfficiency>(3, 0)},
  };
  for (const auto& [name, err] : typed) {
    ASSERT_TRUE(err.has_value()) << name;
    EXPECT_EQ(err->display(), zero) << name;
  }
  // The period of PolarizedFractalEfficiency is checked before its smoothing.
  EXPECT_EQ(PolarizedFractalEfficiency::create(16777217, 0).error().display(), too_large);
  // Rwi tests zero first; ChoppinessIndex reports its own message for zero.
  EXPECT_EQ(ChoppinessIndex::create(0).error().display(), "invalid period: choppiness index needs period >= 2");
}

// ---------------------------------------------------------------------------------------------------
// Warm-up, skipped bars and named outputs through the factory

TEST(Directional, FirstValueAtWarmupAndInvalidBarsChangeNothing) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::uint64_t warmup;
  };
  const Case cases[] = {
      {"Adx", {14}, 28},
      {"Adx", {3}, 6},
      {"Adx", {1}, 2},
      {"Adxr", {3}, 8},
      {"Adxr", {1}, 2},
      {"Dx", {14}, 15},
      {"Dx", {3}, 4},
      {"PlusDi", {3}, 4},
      {"MinusDi", {3}, 4},
      {"PlusDm", {3}, 4},
      {"MinusDm", {3}, 4},
      {"Aroon", {5}, 6},
      {"AroonOscillator", {5}, 6},
      {"Vortex", {4}, 5},
      {"VerticalHorizontalFilter", {4}, 5},
      {"ChoppinessIndex", {4}, 4},
      {"PolarizedFractalEfficiency", {4, 3}, 7},
      {"Rwi", {4}, 4},
      {"Rwi", {2}, 2},
      {"TtmTrend", {4}, 4},
  };
  for (const auto& c : cases) {
    auto dirty = create_indicator(c.name, c.params);
    auto clean = create_indicator(c.name, c.params);
    ASSERT_TRUE(dirty.has_value() && clean.has_value()) << c.name;
    EXPECT_EQ((*dirty)->warmup_period(), c.warmup) << c.name;
    std::uint64_t valid = 0;
    for (int i = 1; i <= 80; ++i) {
      if (i % 5 == 2) {
        // An invalid bar (high below low; a NaN close for the scalar members): nothing, no count.
        Candle broken = wave(i);
        broken.low = broken.high + 1.0;
        broken.close = std::numeric_limits<double>::quiet_NaN();
        EXPECT_FALSE((*dirty)->update(bar(broken)).has_value()) << c.name << " bar " << i;
        continue;
      }
      ++valid;
      const auto v = (*dirty)->update(bar(wave(i)));
      const auto expected = (*clean)->update(bar(wave(i)));
      EXPECT_EQ(v.has_value(), valid >= c.warmup) << c.name << " valid bar " << valid;
      EXPECT_EQ(v, expected) << c.name << " valid bar " << valid;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << c.name;
        const auto a = (*dirty)->extra_outputs();
        const auto b = (*clean)->extra_outputs();
        EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << c.name;
      }
    }
  }
}

TEST(Directional, NamedOutputsInOrderWithTheFirstAsPrimary) {
  struct Case {
    const char* name;
    std::vector<std::string_view> outputs;
  };
  const Case cases[] = {
      {"Adx", {"plus_di", "minus_di", "adx"}},
      {"Aroon", {"up", "down"}},
      {"Vortex", {"plus", "minus"}},
      {"Rwi", {"high", "low"}},
      {"Adxr", {}},
      {"Dx", {}},
      {"AroonOscillator", {}},
  };
  for (const auto& c : cases) {
    auto ind = std::move(*create_indicator(c.name, std::vector<double>{3}));
    Opt v;
    for (int i = 1; i <= 20; ++i) v = ind->update(bar(wave(i)));
    ASSERT_TRUE(v.has_value()) << c.name;
    const auto named = ind->extra_outputs();
    ASSERT_EQ(named.size(), c.outputs.size()) << c.name;
    for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].name, c.outputs[k]) << c.name;
    if (!named.empty()) {
      EXPECT_EQ(named[0].value, *v) << c.name;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Directional movement

// Bars 2..5 of HAND give (+DM, -DM, TR) = (1, 0, 2), (1, 0, 3), (0, 2, 4), (2, 0, 5). With n = 2
// the sums are seeded at bar 3 (tr 5, +DM 2, -DM 0) and then follow S = x + (S - S / 2):
// bar 4: tr 4 + 2.5 = 6.5, +DM 0 + 1 = 1, -DM 2 + 0 = 2; bar 5: tr 5 + 3.25 = 8.25, +DM 2.5, -DM 1.
TEST(Directional, WilderSumFormAndFirstAdxHandChecked) {
  const auto di = [](double dm, double tr) { return (dm * 100.0) / tr; };
  const auto dx = [](double p, double m) { return (std::fabs(p - m) * 100.0) / (p + m); };
  const double pdi3 = di(2, 5), mdi3 = 0.0;
  const double pdi4 = di(1, 6.5), mdi4 = di(2, 6.5);
  const double pdi5 = di(2.5, 8.25), mdi5 = di(1, 8.25);
  const double dx3 = dx(pdi3, mdi3), dx4 = dx(pdi4, mdi4), dx5 = dx(pdi5, mdi5);
  EXPECT_EQ(dx3, 100.0);
  const double adx4 = (dx4 + dx3) / 2.0;                // the mean of the first n DX values
  const double adx5 = (dx5 + (2.0 + -1.0) * adx4) / 2.0;  // then the Wilder divide form

  PlusDm plus_dm(2);
  MinusDm minus_dm(2);
  PlusDi plus_di(2);
  MinusDi minus_di(2);
  Dx dxi(2);
  EXPECT_EQ(run(plus_dm, HAND), (std::vector<Opt>{{}, {}, 2.0, 1.0, 2.5}));
  EXPECT_EQ(run(minus_dm, HAND), (std::vector<Opt>{{}, {}, 0.0, 2.0, 1.0}));
  EXPECT_EQ(run(plus_di, HAND), (std::vector<Opt>{{}, {}, pdi3, pdi4, pdi5}));
  EXPECT_EQ(run(minus_di, HAND), (std::vector<Opt>{{}, {}, mdi3, mdi4, mdi5}));
  EXPECT_EQ(run(dxi, HAND), (std::vector<Opt>{{}, {}, dx3, dx4, dx5}));

  Adx adx(2);
  std::vector<std::optional<std::array<double, 3>>> lines;
  for (const Candle& c : HAND) lines.push_back(adx.update(c));
  EXPECT_FALSE(lines[2].has_value());
  EXPECT_EQ(lines[3], (std::array<double, 3>{pdi4, mdi4, adx4}));
  EXPECT_EQ(lines[4], (std::array<double, 3>{pdi5, mdi5, adx5}));

  Adxr adxr(2);
  EXPECT_EQ(run(adxr, HAND), (std::vector<Opt>{{}, {}, {}, {}, (adx5 + adx4) * 0.5}));
}

TEST(Directional, DirectionalMovementCases) {
  struct Case {
    double prev_high, prev_low, high, low;
    double plus_dm, minus_dm;
  };
  const Case cases[] = {
      {10, 8, 11, 7, 0, 0},      // equal up and down moves
      {10, 8, 9, 9, 0, 0},       // inside bar: both moves negative
      {10, 8, 12, 7, 2, 0},      // up beats down
      {10, 8, 10.5, 6, 0, 2},    // down beats up
      {10, 8, 10, 8, 0, 0},      // no move
      {10, 8, 9.5, 7.5, 0, 0.5}, // up negative, down positive
  };
  for (const auto& c : cases) {
    PlusDm plus(1);
    MinusDm minus(1);
    const Candle a = hlc(c.prev_high, c.prev_low, c.prev_low);
    const Candle b = hlc(c.high, c.low, c.low);
    EXPECT_FALSE(plus.update(a).has_value());
    EXPECT_FALSE(minus.update(a).has_value());
    EXPECT_EQ(plus.update(b), c.plus_dm) << c.high << " " << c.low;
    EXPECT_EQ(minus.update(b), c.minus_dm) << c.high << " " << c.low;
  }
}

TEST(Directional, TrueRangeUsesThePreviousClose) {
  // A gap up: tr = high - previous close = 20 - 10, and +DI = 100 with n = 1.
  PlusDi plus_di(1);
  MinusDm minus_dm(1);
  Vortex vortex(1);
  for (const Candle& c : {hlc(11, 9, 10), hlc(20, 18, 19)}) {
    plus_di.update(c);
    minus_dm.update(c);
    vortex.update(c);
  }
  const Candle down_gap = hlc(9, 5, 6);  // tr = previous close 19 - low 5 = 14
  EXPECT_EQ(plus_di.update(down_gap), 0.0);
  EXPECT_EQ(minus_dm.update(down_gap), 13.0);
  // Vortex(1): plus = |9 - 18| / 14, minus = |5 - 20| / 14.
  EXPECT_EQ(vortex.update(down_gap), (std::array<double, 2>{9.0 / 14.0, 15.0 / 14.0}));
}

// ---------------------------------------------------------------------------------------------------
// Identical bars and the zero guards

TEST(Directional, IdenticalBars) {
  struct Case {
    const char* name;
    std::vector<double> params;
    double primary;
    std::vector<double> named;
  };
  const Case cases[] = {
      {"Adx", {3}, 0.0, {0.0, 0.0, 0.0}},
      {"Adxr", {3}, 0.0, {}},
      {"Dx", {3}, 0.0, {}},
      {"PlusDi", {3}, 0.0, {}},
      {"MinusDi", {3}, 0.0, {}},
      {"PlusDm", {3}, 0.0, {}},
      {"MinusDm", {3}, 0.0, {}},
      {"Vortex", {3}, 0.0, {0.0, 0.0}},
      {"VerticalHorizontalFilter", {3}, 0.0, {}},
      {"ChoppinessIndex", {3}, 100.0, {}},
      {"PolarizedFractalEfficiency", {3, 2}, 0.0, {}},
      {"Rwi", {3}, 0.0, {0.0, 0.0}},
      {"TtmTrend", {3}, -1.0, {}},
      {"Aroon", {3}, 100.0, {100.0, 100.0}},  // ties: the newest bar holds both extremes
      {"AroonOscillator", {3}, 0.0, {}},
  };
  for (const auto& c : cases) {
    auto ind = std::move(*create_indicator(c.name, c.params));
    Opt v;
    for (int i = 0; i < 12; ++i) v = ind->update(bar(hlc(50, 50, 50)));
    ASSERT_TRUE(v.has_value()) << c.name;
    EXPECT_EQ(*v, c.primary) << c.name;
    const auto named = ind->extra_outputs();
    ASSERT_EQ(named.size(), c.named.size()) << c.name;
    for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].value, c.named[k]) << c.name;
  }
  // A range without movement: identical bars with high > low give ADX 0 and +DI = -DI = 0 too.
  Adx adx(2);
  std::optional<std::array<double, 3>> lines;
  for (int i = 0; i < 6; ++i) lines = adx.update(hlc(51, 49, 50));
  EXPECT_EQ(lines, (std::array<double, 3>{0.0, 0.0, 0.0}));
}

// ---------------------------------------------------------------------------------------------------
// Aroon

TEST(Directional, AroonLatestExtremeWinsTies) {
  // Aroon(5) over six bars: highs 1 5 2 5 3 4 (the later 5 at index 3), lows 0.2 0.5 0.2 1 1.5 1
  // (the later 0.2 at index 2).
  const double highs[] = {1, 5, 2, 5, 3, 4, 4.5};
  const double lows[] = {0.2, 0.5, 0.2, 1, 1.5, 1, 0.8};
  Aroon aroon(5);
  AroonOscillator osc(5);
  std::vector<std::optional<std::array<double, 2>>> lines;
  std::vector<Opt> osc_out;
  for (int i = 0; i < 7; ++i) {
    const Candle c = hlc(highs[i], lows[i], lows[i]);
    lines.push_back(aroon.update(c));
    osc_out.push_back(osc.update(c));
  }
  EXPECT_FALSE(lines[4].has_value());
  EXPECT_FALSE(osc_out[4].has_value());
  EXPECT_EQ(lines[5], (std::array<double, 2>{60.0, 40.0}));
  EXPECT_EQ(osc_out[5], 20.0);
  // Next bar: window 5 2 5 3 4 4.5 / 0.5 0.2 1 1.5 1 0.8: high at index 2, low at index 1.
  EXPECT_EQ(lines[6], (std::array<double, 2>{40.0, 20.0}));
  EXPECT_EQ(osc_out[6], 20.0);
}

// ---------------------------------------------------------------------------------------------------
// Other trend-strength measures

TEST(Directional, VortexHandChecked) {
  // Per bar after the first (vm+, vm-, tr): (3, 1, 2), (3, 2, 3), (2, 5, 4).
  Vortex vortex(2);
  std::vector<std::optional<std::array<double, 2>>> out;
  for (int i = 0; i < 4; ++i) out.push_back(vortex.update(HAND[i]));
  EXPECT_FALSE(out[1].has_value());
  EXPECT_EQ(out[2], (std::array<double, 2>{6.0 / 5.0, 3.0 / 5.0}));
  EXPECT_EQ(out[3], (std::array<double, 2>{5.0 / 7.0, 7.0 / 7.0}));
}

TEST(Directional, VerticalHorizontalFilterHandChecked) {
  VerticalHorizontalFilter vhf(3);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<Opt> out;
  for (double x : {1.0, 3.0, nan, 2.0, 5.0, 4.0, 4.0, 4.0, 4.0}) out.push_back(vhf.update(x));
  // Changes 2, 1, 3, 1, 0, 0, 0; the NaN is skipped.
  EXPECT_EQ(out, (std::vector<Opt>{{}, {}, {}, {}, 3.0 / 6.0, 3.0 / 5.0, 1.0 / 4.0, 0.0 / 1.0, 0.0}));
}

TEST(Directional, ChoppinessIndexHandChecked) {
  // True ranges 2 (the first bar's high - low), 2, 3; windows of 2.
  // The operands pass through volatiles: the compiler's folded log10 and the library's may differ in
  // the last bit, and the indicator calls the library's.
  ChoppinessIndex chop(2);
  volatile double two = 2.0, three = 3.0, four = 4.0, five = 5.0;
  const double l2 = std::log10(two);
  EXPECT_EQ(run(chop, std::span(HAND, 3)),
            (std::vector<Opt>{{}, (std::log10(four / three) * 100.0) / l2, (std::log10(five / three) * 100.0) / l2}));
}

TEST(Directional, PolarizedFractalEfficiencyHandChecked) {
  PolarizedFractalEfficiency pfe(2, 2);
  std::vector<Opt> out;
  for (double x : {1.0, 2.0, 4.0, 3.0, 0.0}) out.push_back(pfe.update(x));
  const double s1 = std::sqrt(2.0), s2 = std::sqrt(5.0), s3 = std::sqrt(2.0), s4 = std::sqrt(10.0);
  const double path2 = s2 + s1;
  const double path3 = s3 + (path2 - s1);
  const double path4 = s4 + (path3 - s2);
  const double p1 = (std::sqrt(13.0) * 100.0) / path2;   // l = 3
  const double p2 = (std::sqrt(5.0) * 100.0) / path3;    // l = 1
  const double p3 = (std::sqrt(20.0) * -100.0) / path4;  // l = -4
  const double seed = (p2 + p1) / 2.0;
  const double alpha = 2.0 / 3.0;
  EXPECT_EQ(out, (std::vector<Opt>{{}, {}, {}, seed, std::fma(alpha, p3, (1.0 - alpha) * seed)}));

  // A pfe that overflows to NaN is skipped.
  PolarizedFractalEfficiency wide(1, 1);
  EXPECT_FALSE(wide.update(0.0).has_value());
  EXPECT_FALSE(wide.update(1e300).has_value());
}

TEST(Directional, RwiHandChecked) {
  // Rwi(3) at bar 3 of HAND: true ranges 2, 3. j = 1: atr 3, up (12 - 9), down (11 - 9), both over
  // sqrt(2) * 3; j = 2: atr (2 + 3) / 2, up (12 - 8), down (10 - 9), both over sqrt(3) * 2.5.
  Rwi rwi(3);
  EXPECT_FALSE(rwi.update(HAND[0]).has_value());
  EXPECT_FALSE(rwi.update(HAND[1]).has_value());
  const auto out = rwi.update(HAND[2]);
  const double scale1 = std::sqrt(2.0) * 3.0, scale2 = std::sqrt(3.0) * 2.5;
  ASSERT_TRUE(out.has_value());
  EXPECT_EQ(*out, (std::array<double, 2>{std::max(3.0 / scale1, 4.0 / scale2), std::max(2.0 / scale1, 1.0 / scale2)}));
  // A gap down gives a negative up move, reported as 0: tr = 9 - 6 = 3, down = (10 - 6) / (sqrt2 * 3).
  Rwi gap(2);
  EXPECT_FALSE(gap.update(hlc(10, 8, 9)).has_value());
  EXPECT_EQ(gap.update(hlc(7, 6, 6.5)), (std::array<double, 2>{0.0, 4.0 / (std::sqrt(2.0) * 3.0)}));
}

TEST(Directional, TtmTrendComparesTheCloseWithTheAverageMidpoint) {
  // Midpoints 9 and 10 average 9.5 at the second bar.
  struct Case {
    double close;
    double expected;
  };
  for (const Case c : {Case{9.6, 1.0}, Case{9.5, -1.0}, Case{9.4, -1.0}}) {
    TtmTrend ttm(2);
    EXPECT_FALSE(ttm.update(hlc(10, 8, 9)).has_value());
    EXPECT_EQ(ttm.update(hlc(11, 9, c.close)), c.expected) << c.close;
  }
}

}  // namespace
}  // namespace sorvik

// The momentum oscillators.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/support.hpp"
#include "indicators/momentum/adaptive_cci.hpp"
#include "indicators/momentum/apo.hpp"
#include "indicators/momentum/cci.hpp"
#include "indicators/momentum/cmo.hpp"
#include "indicators/momentum/coppock.hpp"
#include "indicators/momentum/derivative_oscillator.hpp"
#include "indicators/momentum/disparity_index.hpp"
#include "indicators/momentum/dpo.hpp"
#include "indicators/momentum/elder_impulse.hpp"
#include "indicators/momentum/kase_permission_stochastic.hpp"
#include "indicators/momentum/kst.hpp"
#include "indicators/momentum/macd_fix.hpp"
#include "indicators/momentum/macd_histogram.hpp"
#include "indicators/momentum/macd_indicator.hpp"
#include "indicators/momentum/mom.hpp"
#include "indicators/momentum/pmo.hpp"
#include "indicators/momentum/ppo.hpp"
#include "indicators/momentum/ppo_histogram.hpp"
#include "indicators/momentum/roc.hpp"
#include "indicators/momentum/rocp.hpp"
#include "indicators/momentum/rocr.hpp"
#include "indicators/momentum/rocr100.hpp"
#include "indicators/momentum/rsi.hpp"
#include "indicators/momentum/smi.hpp"
#include "indicators/momentum/stoch_rsi.hpp"
#include "indicators/momentum/stochastic.hpp"
#include "indicators/momentum/stochastic_cci.hpp"
#include "indicators/momentum/trix.hpp"
#include "indicators/momentum/tsi.hpp"
#include "indicators/momentum/williams_r.hpp"
#include "indicators/momentum/zero_lag_macd.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Outs = std::vector<std::optional<double>>;
constexpr std::nullopt_t none = std::nullopt;

/// A deterministic wavy series of valid candles.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return candle(o, std::max(o, c) + 1.5 + std::cos(i * 0.9), std::min(o, c) - 1.0, c, 1000.0);
}

// Exponential step helpers for the hand computations below (alpha = 2 / (n + 1)).
double ema_alpha(double n) { return 2.0 / (n + 1.0); }
double ema_step(double n, double value, double x) {
  const double a = ema_alpha(n);
  return std::fma(a, x, (1.0 - a) * value);
}

// ---------------------------------------------------------------------------------------------------
// Warm-up, named outputs, skipped input

struct WarmupCase {
  const char* name;
  std::vector<double> params;
  std::uint64_t warmup;
};

const std::vector<WarmupCase>& warmup_cases() {
  static const std::vector<WarmupCase> cases = {
      {"Rsi", {14}, 15},
      {"Rsi", {2}, 3},
      {"Macd", {3, 5, 4}, 8},
      {"MacdIndicator", {12, 26, 9}, 34},
      {"MacdFix", {9}, 34},
      {"MacdHistogram", {3, 5, 4}, 8},
      {"ZeroLagMacd", {3, 5, 4}, 11},
      {"ZeroLagMacd", {1, 3, 2}, 5},
      {"Stochastic", {5, 3}, 7},
      {"StochRsi", {5, 4}, 9},
      {"Cci", {5}, 5},
      {"AdaptiveCci", {5}, 5},
      {"Roc", {4}, 5},
      {"Rocp", {4}, 5},
      {"Rocr", {4}, 5},
      {"Rocr100", {4}, 5},
      {"Mom", {4}, 5},
      {"Trix", {3}, 8},
      {"Tsi", {5, 3}, 8},
      {"Ppo", {3, 5}, 5},
      {"PpoHistogram", {3, 5, 4}, 8},
      {"Apo", {3, 5}, 5},
      {"Cmo", {4}, 5},
      {"WilliamsR", {5}, 5},
      {"Kst", {2, 3, 4, 5, 3, 3, 3, 4, 3}, 11},
      {"Coppock", {6, 4, 3}, 9},
      {"Pmo", {3, 5}, 2},
      {"DerivativeOscillator", {4, 3, 2, 3}, 10},
      {"Smi", {5, 3, 2}, 8},
      {"StochasticCci", {4}, 7},
      {"DisparityIndex", {4}, 4},
      {"ElderImpulse", {3, 5, 4, 7}, 9},
      {"ElderImpulse", {3, 5, 2, 9}, 10},
      {"KasePermissionStochastic", {5, 3}, 9},
      {"Dpo", {1}, 2},
      {"Dpo", {2}, 3},
      {"Dpo", {3}, 3},
      {"Dpo", {4}, 4},
      {"Dpo", {10}, 10},
  };
  return cases;
}

// Every member yields first exactly at its warm-up bar and on every valid bar after.
TEST(Momentum, FirstValueAtWarmupThenEveryBar) {
  for (const auto& c : warmup_cases()) {
    auto made = create_indicator(c.name, c.params);
    ASSERT_TRUE(made.has_value()) << c.name << ": " << made.error().display();
    auto& ind = **made;
    EXPECT_EQ(ind.warmup_period(), c.warmup) << c.name;
    for (int i = 1; i <= 80; ++i) {
      const auto v = ind.update(bar(wave(i)));
      ASSERT_EQ(v.has_value(), static_cast<std::uint64_t>(i) >= c.warmup) << c.name << " bar " << i;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << c.name << " bar " << i;
      }
    }
  }
}

// A non-finite close (an invalid candle for the candle types) among the bars neither counts towards the warm-up nor changes
// any later value.
TEST(Momentum, SkippedBarsChangeNothing) {
  for (const auto& c : warmup_cases()) {
    auto clean = std::move(*create_indicator(c.name, c.params));
    auto dirty = std::move(*create_indicator(c.name, c.params));
    for (int i = 1; i <= 60; ++i) {
      if (i % 3 == 0) {
        Candle bad = wave(i);
        bad.close = NaN;
        EXPECT_FALSE(dirty->update(bar(bad)).has_value()) << c.name;
        bad.close = std::numeric_limits<double>::infinity();
        EXPECT_FALSE(dirty->update(bar(bad)).has_value()) << c.name;
      }
      const auto a = clean->update(bar(wave(i)));
      const auto b = dirty->update(bar(wave(i)));
      ASSERT_EQ(a, b) << c.name << " bar " << i;
      const auto ea = clean->extra_outputs();
      const auto eb = dirty->extra_outputs();
      ASSERT_TRUE(std::equal(ea.begin(), ea.end(), eb.begin(), eb.end())) << c.name << " bar " << i;
    }
  }
}

TEST(Momentum, NamedOutputsInOrder) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::vector<std::string_view> names;
  };
  const Case cases[] = {
      {"Macd", {3, 5, 4}, {"macd", "signal", "histogram"}},
      {"MacdIndicator", {3, 5, 4}, {"macd", "signal", "histogram"}},
      {"MacdFix", {4}, {"macd", "signal", "histogram"}},
      {"ZeroLagMacd", {3, 5, 4}, {"macd", "signal", "histogram"}},
      {"Stochastic", {5, 3}, {"k", "d"}},
      {"Kst", {2, 3, 4, 5, 3, 3, 3, 4, 3}, {"kst", "signal"}},
      {"KasePermissionStochastic", {5, 3}, {"fast", "slow"}},
      {"Rsi", {5}, {}},
      {"MacdHistogram", {3, 5, 4}, {}},
  };
  for (const auto& c : cases) {
    auto ind = std::move(*create_indicator(c.name, c.params));
    std::optional<double> v;
    for (int i = 1; i <= 40; ++i) v = ind->update(bar(wave(i)));
    ASSERT_TRUE(v.has_value()) << c.name;
    const auto named = ind->extra_outputs();
    ASSERT_EQ(named.size(), c.names.size()) << c.name;
    for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].name, c.names[k]) << c.name;
    if (!named.empty()) {
      EXPECT_EQ(named[0].value, *v) << c.name;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Constructor checks

TEST(Momentum, ConstructorMessagesThroughTheFactory) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;  // null: builds
  };
  const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string fast_slow = "invalid period: fast period must be strictly less than slow period";
  const Case cases[] = {
      {"Rsi", {16777216}, nullptr},
      {"Rsi", {16777217}, "Rsi: MAX"},
      {"MacdIndicator", {26, 12, 9}, "MacdIndicator: FAST_SLOW"},
      {"Macd", {12, 12, 9}, "MacdIndicator: FAST_SLOW"},
      {"MacdIndicator", {12, 16777217, 9}, "MacdIndicator: MAX"},
      {"MacdIndicator", {12, 26, 16777217}, "MacdIndicator: MAX"},
      // The order of the periods is checked before their bounds.
      {"MacdIndicator", {16777218, 16777217, 9}, "MacdIndicator: FAST_SLOW"},
      {"MacdHistogram", {5, 3, 2}, "MacdHistogram: FAST_SLOW"},
      {"MacdFix", {16777217}, "MacdFix: MAX"},
      {"ZeroLagMacd", {5, 5, 2}, "ZeroLagMacd: invalid period: ZeroLagMACD fast period must be strictly less than slow"},
      {"ZeroLagMacd", {3, 5, 16777217}, "ZeroLagMacd: MAX"},
      {"Ppo", {5, 3}, "Ppo: invalid period: PPO fast period must be < slow period"},
      {"PpoHistogram", {5, 3, 16777217}, "PpoHistogram: invalid period: PPO fast period must be < slow period"},
      {"PpoHistogram", {3, 5, 16777217}, "PpoHistogram: MAX"},
      {"Apo", {4, 4}, "Apo: invalid period: APO fast period must be strictly less than slow"},
      {"ElderImpulse", {26, 12, 9, 13}, "ElderImpulse: FAST_SLOW"},
      {"ElderImpulse", {12, 26, 16777217, 13}, "ElderImpulse: MAX"},
      {"ElderImpulse", {12, 26, 9, 16777217}, "ElderImpulse: MAX"},
      {"AdaptiveCci", {1}, "AdaptiveCci: invalid period: adaptive CCI needs period >= 2"},
      {"AdaptiveCci", {16777217}, "AdaptiveCci: MAX"},
      {"AdaptiveCci", {2}, nullptr},
      {"Pmo", {1, 20}, "Pmo: invalid period: PMO smoothing periods must be >= 2"},
      {"Pmo", {20, 1}, "Pmo: invalid period: PMO smoothing periods must be >= 2"},
      {"Pmo", {2, 1e12}, nullptr},  // the smoothings size no storage
      {"Stochastic", {1e12, 3}, nullptr},  // nor does k
      {"Stochastic", {14, 16777217}, "Stochastic: MAX"},
      {"StochRsi", {16777217, 3}, "StochRsi: MAX"},
      {"StochRsi", {14, 16777217}, "StochRsi: MAX"},
      {"Kst", {1, 1, 1, 1, 1, 1, 1, 1, 16777217}, "Kst: MAX"},
      {"Kst", {1, 1, 1, 16777217, 1, 1, 1, 1, 1}, "Kst: MAX"},
      {"Coppock", {14, 11, 16777217}, "Coppock: MAX"},
      {"DerivativeOscillator", {14, 5, 3, 16777217}, "DerivativeOscillator: MAX"},
      {"Smi", {14, 16777217, 3}, "Smi: MAX"},
      {"KasePermissionStochastic", {14, 16777217}, "KasePermissionStochastic: MAX"},
      {"Dpo", {16777216}, nullptr},
      {"Dpo", {16777217}, "Dpo: MAX"},
      {"Cci", {16777217}, "Cci: MAX"},
      {"StochasticCci", {16777217}, "StochasticCci: MAX"},
      {"WilliamsR", {16777217}, "WilliamsR: MAX"},
      {"Trix", {16777217}, "Trix: MAX"},
      {"Tsi", {25, 16777217}, "Tsi: MAX"},
      {"Cmo", {16777217}, "Cmo: MAX"},
      {"Roc", {16777217}, "Roc: MAX"},
      {"Mom", {16777216}, nullptr},
      {"DisparityIndex", {16777217}, "DisparityIndex: MAX"},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text == nullptr) {
      EXPECT_TRUE(made.has_value()) << c.name << ": " << made.error().display();
      continue;
    }
    ASSERT_FALSE(made.has_value()) << c.name;
    std::string want = std::string("invalid parameters for indicator ") + c.text;
    if (auto p = want.find("MAX"); p != std::string::npos && want.ends_with("MAX")) want.replace(p, 3, max);
    if (auto p = want.find("FAST_SLOW"); p != std::string::npos) want.replace(p, 9, fast_slow);
    EXPECT_EQ(made.error().display(), want) << c.name;
  }
}

// Orders the factory cannot reach (a zero period arrives only from a direct call).
TEST(Momentum, ConstructorCheckOrder) {
  const std::string zero = "period must be greater than zero";
  const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string fast_slow = "invalid period: fast period must be strictly less than slow period";
  const std::pair<std::string, std::string> cases[] = {
      {error_text(Rsi::create(0)), zero},
      {error_text(Cmo::create(0)), zero},
      {error_text(Stochastic::create(0, 16777217)), zero},
      {error_text(Stochastic::create(3, 0)), zero},
      {error_text(MacdIndicator::create(0, 26, 9)), zero},          // 0 < 26: the order holds
      {error_text(MacdIndicator::create(5, 0, 9)), fast_slow},      // the order first
      {error_text(MacdIndicator::create(12, 26, 0)), zero},
      {error_text(MacdFix::create(0)), zero},
      {error_text(ElderImpulse::create(12, 26, 9, 0)), zero},
      {error_text(ElderImpulse::create(12, 26, 0, 16777217)), zero},
      {error_text(Ppo::create(0, 0)), "invalid period: PPO fast period must be < slow period"},
      {error_text(AdaptiveCci::create(0)), "invalid period: adaptive CCI needs period >= 2"},
      {error_text(Pmo::create(0, 0)), "invalid period: PMO smoothing periods must be >= 2"},
      {error_text(Coppock::create(0, 16777217, 3)), zero},
      {error_text(Coppock::create(16777217, 0, 3)), max},
      {error_text(Kst::create(1, 1, 1, 1, 0, 1, 1, 1, 16777217)), zero},
      {error_text(DerivativeOscillator::create(16777217, 0, 1, 1)), max},
      {error_text(Smi::create(3, 0, 16777217)), zero},
      {error_text(Tsi::create(0, 16777217)), zero},
      {error_text(KasePermissionStochastic::create(16777217, 0)), max},
      {error_text(StochRsi::create(0, 16777217)), zero},
  };
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

// ---------------------------------------------------------------------------------------------------
// Relative strength and Chande momentum

TEST(Momentum, RsiSeedsWithTheMeanThenWilderReciprocalSteps) {
  Rsi two(2);
  EXPECT_EQ(run(two, std::vector<double>{1, 2, 3}), (Outs{none, none, 100.0}));

  Rsi rsi(3);
  const auto out = run(rsi, std::vector<double>{10, 11, 10.5, 12, 11});
  // Gains 1, 0, 1.5 and losses 0, 0.5, 0 seed the averages with their means.
  const double g3 = ((1.0 + 0.0) + 1.5) / 3.0;
  const double l3 = ((0.0 + 0.5) + 0.0) / 3.0;
  EXPECT_EQ(out[3], (g3 * 100.0) / (g3 + l3));
  // Then fma(avg, n - 1, x) * (1 / n).
  const double g4 = std::fma(g3, 2.0, 0.0) * (1.0 / 3.0);
  const double l4 = std::fma(l3, 2.0, 1.0) * (1.0 / 3.0);
  EXPECT_EQ(out[4], (g4 * 100.0) / (g4 + l4));
  EXPECT_FALSE(out[2].has_value());
}

TEST(Momentum, RsiOnAConstantSeriesIsFifty) {
  Rsi rsi(3);
  const auto out = run(rsi, std::vector<double>(10, 7.25));
  for (std::size_t i = 3; i < out.size(); ++i) EXPECT_EQ(out[i], 50.0) << i;
}

TEST(Momentum, RsiSkipsNonFiniteCloses) {
  Rsi rsi(2);
  EXPECT_EQ(run(rsi, std::vector<double>{1, NaN, 2, std::numeric_limits<double>::infinity(), 3}),
            (Outs{none, none, none, none, 100.0}));
}

TEST(Momentum, CmoRunningSumsDropTheOldestPairFirst) {
  Cmo cmo(2);
  EXPECT_EQ(run(cmo, std::vector<double>{1, 3, 2, 2, 5}),
            (Outs{none, none, (2.0 - 1.0) * 100.0 / 3.0, -100.0, 100.0}));
  Cmo flat(3);
  const auto out = run(flat, std::vector<double>(6, 4.0));
  EXPECT_EQ(out[3], 0.0);
  EXPECT_EQ(out[5], 0.0);
}

TEST(Momentum, StochRsiOfRsiOne) {
  // Rsi(1) is 100 on a rise, 0 on a fall and 50 when flat.
  StochRsi s(1, 2);
  EXPECT_EQ(run(s, std::vector<double>{1, 2, 1, 1, 1}), (Outs{none, none, 0.0, 100.0, 50.0}));
}

TEST(Momentum, DerivativeOscillatorSubtractsTheAverageOfTheSmoothedRsi) {
  DerivativeOscillator d(1, 1, 1, 2);
  // Rsi(1): 100, 0, 50; Ema(1) leaves it unchanged; Sma(2) of it: 50, then 25.
  EXPECT_EQ(run(d, std::vector<double>{1, 2, 1, 1}), (Outs{none, none, 0.0 - 50.0, 50.0 - 25.0}));
}

// ---------------------------------------------------------------------------------------------------
// MACD family

TEST(Momentum, MacdLinesThroughTheAlias) {
  auto macd = std::move(*create_indicator("Macd", std::vector<double>{2, 3, 2}));
  const double xs[] = {1, 2, 4, 8};
  std::optional<double> v;
  for (double x : xs) v = macd->update(bar(hlc(x, x, x)));
  const double f2 = (1.0 + 2.0) / 2.0;
  const double f3 = ema_step(2, f2, 4.0);
  const double f4 = ema_step(2, f3, 8.0);
  const double s3 = ((1.0 + 2.0) + 4.0) / 3.0;
  const double s4 = ema_step(3, s3, 8.0);
  const double m3 = f3 - s3, m4 = f4 - s4;
  const double sig = (m3 + m4) / 2.0;
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(*v, m4);
  const auto named = macd->extra_outputs();
  EXPECT_EQ(named[1], (NamedValue{"signal", sig}));
  EXPECT_EQ(named[2], (NamedValue{"histogram", m4 - sig}));

  MacdHistogram hist(2, 3, 2);
  EXPECT_EQ(run(hist, std::vector<double>{1, 2, 4, 8}), (Outs{none, none, none, m4 - sig}));
}

TEST(Momentum, MacdFixUsesItsFixedSmoothingConstants) {
  std::vector<double> xs;
  for (int i = 1; i <= 40; ++i) xs.push_back(wave(i).close);
  // The fixed stages by hand: seeded with the means of 12 and 26 closes, then 0.15 / 0.075.
  double fs = 0.0, ss = 0.0, f = 0.0, s = 0.0, ms = 0.0;
  std::vector<double> macd_line;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const double x = xs[i];
    if (i < 12) fs = fs + x;
    if (i == 11) f = fs / 12.0;
    if (i > 11) f = std::fma(0.15, x, 0.85 * f);
    if (i < 26) ss = ss + x;
    if (i == 25) s = ss / 26.0;
    if (i > 25) s = std::fma(0.075, x, 0.925 * s);
    if (i >= 25) macd_line.push_back(f - s);
  }
  for (std::size_t i = 0; i < 9; ++i) ms = ms + macd_line[i];
  const double signal = ms / 9.0;

  MacdFix fix(9);
  MacdIndicator classic(12, 26, 9);
  std::vector<std::optional<std::array<double, 3>>> a, b;
  for (double x : xs) {
    a.push_back(fix.update(x));
    b.push_back(classic.update(x));
  }
  ASSERT_FALSE(a[32].has_value());
  ASSERT_TRUE(a[33].has_value());
  EXPECT_EQ((*a[33])[0], macd_line[8]);
  EXPECT_EQ((*a[33])[1], signal);
  EXPECT_EQ((*a[33])[2], macd_line[8] - signal);
  EXPECT_EQ((*a[39])[0], macd_line[14]);
  // The classic 2 / (n + 1) constants give another macd line from the first value on.
  ASSERT_TRUE(b[33].has_value());
  EXPECT_NE((*a[33])[0], (*b[33])[0]);
  EXPECT_NE((*a[39])[0], (*b[39])[0]);
}

TEST(Momentum, ZeroLagMacdFeedsZeroLagAverages) {
  // fast Zlema(1) is the close; slow Zlema(3) smooths 2x - previous; signal Zlema(2) is Ema(2).
  ZeroLagMacd z(1, 3, 2);
  std::vector<std::optional<std::array<double, 3>>> out;
  for (double x : {1.0, 2.0, 4.0, 8.0, 16.0}) out.push_back(z.update(x));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(out[i].has_value());
  const double slow4 = ((3.0 + 6.0) + 12.0) / 3.0;
  const double slow5 = ema_step(3, slow4, 24.0);
  const double m4 = 8.0 - slow4, m5 = 16.0 - slow5;
  const double sig = (m4 + m5) / 2.0;
  ASSERT_TRUE(out[4].has_value());
  EXPECT_EQ(*out[4], (std::array<double, 3>{m5, sig, m5 - sig}));
}

TEST(Momentum, PriceOscillators) {
  // fast Ema(2) seeds at bar 2, slow Ema(3) at bar 3.
  const double f3 = ema_step(2, 1.5, 4.0);
  const double s3 = 7.0 / 3.0;
  const double f4 = ema_step(2, f3, 8.0);
  const double s4 = ema_step(3, s3, 8.0);
  const double p3 = (f3 - s3) * 100.0 / s3;
  const double p4 = (f4 - s4) * 100.0 / s4;
  const std::vector<double> xs = {1, 2, 4, 8};

  Apo apo(2, 3);
  EXPECT_EQ(run(apo, xs), (Outs{none, none, f3 - s3, f4 - s4}));
  Ppo ppo(2, 3);
  EXPECT_EQ(run(ppo, xs), (Outs{none, none, p3, p4}));
  PpoHistogram hist(2, 3, 2);
  EXPECT_EQ(run(hist, xs), (Outs{none, none, none, p4 - (p3 + p4) / 2.0}));

  // A zero slow average gives 0, not a division by zero.
  Ppo zero(2, 3);
  EXPECT_EQ(run(zero, std::vector<double>{-1, 1, 0}), (Outs{none, none, 0.0}));
}

TEST(Momentum, ElderImpulseComparesWithThePreviousBar) {
  // Ema(1) is the close; the histogram comes from MacdIndicator(1, 2, 2). The first bar with both
  // only stores them.
  ElderImpulse e(1, 2, 2, 1);
  EXPECT_EQ(run(e, std::vector<double>{1, 2, 4, 8, 7, 3, 3, 3.5}),
            (Outs{none, none, none, 1.0, -1.0, -1.0, 0.0, 1.0}));
}

// ---------------------------------------------------------------------------------------------------
// Stochastics

TEST(Momentum, StochasticKAndD) {
  auto st = std::move(*create_indicator("Stochastic", std::vector<double>{2, 2}));
  EXPECT_FALSE(st->update(bar(hlc(10, 8, 9))).has_value());
  EXPECT_FALSE(st->update(bar(hlc(12, 9, 11))).has_value());  // %K 75, %D not ready
  const double k3 = (10.0 - 9.0) * 100.0 / 3.0;
  EXPECT_EQ(st->update(bar(hlc(11, 10, 10))), k3);
  EXPECT_EQ(st->extra_outputs()[1], (NamedValue{"d", (k3 + 75.0) / 2.0}));
  // A flat range: %K is 50.
  Stochastic flat(2, 1);
  EXPECT_FALSE(flat.update(hlc(5, 5, 5)).has_value());
  EXPECT_EQ(flat.update(hlc(5, 5, 5)), (std::array<double, 2>{50.0, 50.0}));
}

TEST(Momentum, StochasticDequeMatchesAScanOfTheWindow) {
  Stochastic st(5, 1);
  std::vector<Candle> seen;
  for (int i = 1; i <= 200; ++i) {
    Candle c = wave(i);
    if (i % 7 == 0) c = seen.back();  // repeated extremes exercise the tie rule
    seen.push_back(c);
    const auto v = st.update(c);
    if (i < 5) continue;
    double hh = -INFINITY, ll = INFINITY;
    for (int k = i - 5; k < i; ++k) {
      hh = std::max(hh, seen[k].high);
      ll = std::min(ll, seen[k].low);
    }
    ASSERT_TRUE(v.has_value());
    ASSERT_EQ((*v)[0], (c.close - ll) * 100.0 / (hh - ll)) << i;
  }
}

TEST(Momentum, WilliamsR) {
  WilliamsR w(2);
  EXPECT_EQ(run(w, std::vector<Candle>{hlc(10, 8, 9), hlc(12, 9, 11), hlc(12, 12, 12), hlc(12, 12, 12)}),
            (Outs{none, (12.0 - 11.0) / (12.0 - 8.0) * -100.0, (12.0 - 12.0) / (12.0 - 9.0) * -100.0, -50.0}));
}

TEST(Momentum, KasePermissionStochastic) {
  KasePermissionStochastic k(2, 2);
  const std::vector<Candle> cs = {hlc(10, 8, 9), hlc(12, 9, 11), hlc(11, 10, 10), hlc(10, 10, 10)};
  std::vector<std::optional<std::array<double, 2>>> out;
  for (const auto& c : cs) out.push_back(k.update(c));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(out[i].has_value());
  const double fast3 = (75.0 + (10.0 - 9.0) * 100.0 / 3.0) / 2.0;
  const double fast4 = ema_step(2, fast3, 0.0);  // close at the window low
  EXPECT_EQ(out[3], (std::array<double, 2>{fast4, (fast3 + fast4) / 2.0}));
  KasePermissionStochastic flat(1, 1);
  EXPECT_EQ(flat.update(hlc(5, 5, 5)), (std::array<double, 2>{50.0, 50.0}));
}

TEST(Momentum, SmiSmoothsDistanceAndRange) {
  Smi seeded(1, 2, 1);
  EXPECT_EQ(run(seeded, std::vector<Candle>{hlc(10, 8, 9), hlc(12, 8, 11)}),
            (Outs{none, (((0.0 + 1.0) / 2.0) * 100.0) / (((2.0 + 4.0) / 2.0) * 0.5)}));
  // A flat range repeats the previous value (0 before any).
  Smi s(2, 1, 1);
  EXPECT_EQ(run(s, std::vector<Candle>{hlc(5, 5, 5), hlc(5, 5, 5), hlc(6, 5, 6), hlc(6, 6, 6), hlc(6, 6, 6),
                                        hlc(12, 8, 9)}),
            (Outs{none, 0.0, (0.5 * 100.0) / (1.0 * 0.5), 100.0, 100.0, ((9.0 - 9.0) * 100.0) / (6.0 * 0.5)}));
}

// ---------------------------------------------------------------------------------------------------
// Commodity channel index

TEST(Momentum, CciMeanDeviationAndZeroGuard) {
  Cci cci(3);
  // Typical prices 2, 4, 9: mean 5, mean deviation (3 + 1 + 4) / 3.
  const auto out = run(cci, std::vector<Candle>{hlc(3, 1, 2), hlc(5, 3, 4), hlc(10, 8, 9), hlc(9, 9, 9)});
  EXPECT_EQ(out[2], (9.0 - 5.0) / ((((0.0 + 3.0) + 1.0) + 4.0) / 3.0 * 0.015));
  Cci flat(2);
  EXPECT_EQ(run(flat, std::vector<Candle>{hlc(4, 4, 4), hlc(4, 4, 4)}), (Outs{none, 0.0}));
}

TEST(Momentum, RunningSumsAreReaddedEveryNPushes) {
  // A huge value passing through leaves residue in an incremental sum; the re-add at every n-th
  // push (counted from construction) restores the exact newest-n sum.
  Cci cci(2);
  const auto c = run(cci, std::vector<Candle>{hlc(1e17, 1e17, 1e17), hlc(1, 1, 1), hlc(2, 2, 2), hlc(3, 3, 3)});
  EXPECT_EQ(c[3], (3.0 - 2.5) / ((0.5 + 0.5) / 2.0 * 0.015));

  Dpo dpo(4);
  const auto d = run(dpo, std::vector<double>{1e17, 1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(d[6], 3.0 - 12.0 / 4.0);  // incremental, residue of the huge value
  EXPECT_EQ(d[7], 4.0 - 22.0 / 4.0);  // re-added at push 8: 4 + 5 + 6 + 7
}

TEST(Momentum, AdaptiveCciAdaptsTheMean) {
  AdaptiveCci a(2);
  const auto out = run(a, std::vector<Candle>{hlc(1, 1, 1), hlc(3, 3, 3), hlc(4, 4, 4), hlc(4, 4, 4)});
  // First value: the plain mean 2, mean deviation 1.
  EXPECT_EQ(out[1], (3.0 - 2.0) / (1.0 * 0.015));
  // Window 3, 4: path 1, er 1.
  const double t = 1.0 * 0.6021505376344085 + 0.06451612903225806;
  const double m3 = t * t * (4.0 - 2.0) + 2.0;
  const double d3 = (std::fabs(3.0 - m3) + std::fabs(4.0 - m3)) / 2.0;
  EXPECT_EQ(out[2], (4.0 - m3) / (d3 * 0.015));
  // Window 4, 4: no path, the slowest constant.
  const double m4 = 0.004162330905306971 * (4.0 - m3) + m3;
  const double d4 = (std::fabs(4.0 - m4) + std::fabs(4.0 - m4)) / 2.0;
  EXPECT_EQ(out[3], (4.0 - m4) / (d4 * 0.015));
  // A flat series has no mean deviation: 0.
  AdaptiveCci flat(3);
  const auto f = run(flat, std::vector<Candle>(5, hlc(7, 7, 7)));
  EXPECT_EQ(f[2], 0.0);
  EXPECT_EQ(f[4], 0.0);
}

TEST(Momentum, StochasticCci) {
  // Cci(2) of two typical prices is +-1 / 0.015, or 0 when they are equal.
  StochasticCci s(2);
  const double up = (2.0 - 1.5) / ((0.5 + 0.5) / 2.0 * 0.015);
  const double down = (1.0 - 1.5) / ((0.5 + 0.5) / 2.0 * 0.015);
  EXPECT_EQ(up, -down);
  EXPECT_EQ(run(s, std::vector<Candle>{hlc(1, 1, 1), hlc(2, 2, 2), hlc(1, 1, 1), hlc(1, 1, 1), hlc(1, 1, 1)}),
            (Outs{none, none, 0.0, (0.0 - down) * 100.0 / (0.0 - down), 50.0}));
}

// ---------------------------------------------------------------------------------------------------
// Rates of change

TEST(Momentum, RatesOfChangeWithAZeroBase) {
  struct Case {
    const char* name;
    Outs expected;  // closes 0, 5, 4 with period 1
  };
  const Case cases[] = {
      {"Roc", {none, 0.0, (4.0 - 5.0) / 5.0 * 100.0}},
      {"Rocp", {none, 0.0, (4.0 - 5.0) / 5.0}},
      {"Rocr", {none, 0.0, 4.0 / 5.0}},
      {"Rocr100", {none, 0.0, 4.0 / 5.0 * 100.0}},
      {"Mom", {none, 5.0, -1.0}},
  };
  for (const auto& c : cases) {
    auto ind = std::move(*create_indicator(c.name, std::vector<double>{1}));
    Outs out;
    for (double x : {0.0, 5.0, 4.0}) out.push_back(ind->update(bar(hlc(x, x, x))));
    EXPECT_EQ(out, c.expected) << c.name;
  }
  Roc roc(3);
  EXPECT_EQ(run(roc, std::vector<double>{2, 9, 9, 3, 4}), (Outs{none, none, none, (3.0 - 2.0) / 2.0 * 100.0,
                                                                  (4.0 - 9.0) / 9.0 * 100.0}));
}

TEST(Momentum, KstWeightsFourSmoothedRates) {
  // r = 1, 2, 1, 2; s = 1, 1, 2, 1; signal 2. Closes 0, 1, 2, 4: the zero base gives 0.
  Kst kst(1, 2, 1, 2, 1, 1, 2, 1, 2);
  EXPECT_EQ(kst.warmup_period(), 4u);
  std::vector<std::optional<std::array<double, 2>>> out;
  for (double x : {0.0, 1.0, 2.0, 4.0}) out.push_back(kst.update(x));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(out[i].has_value());
  const double kst3 = ((100.0 + 0.0 * 2.0) + 50.0 * 3.0) + 0.0 * 4.0;
  const double kst4 = ((100.0 + 300.0 * 2.0) + 100.0 * 3.0) + 300.0 * 4.0;
  EXPECT_EQ(out[3], (std::array<double, 2>{kst4, (kst4 + kst3) / 2.0}));
}

TEST(Momentum, CoppockWeightsTheSumOfTwoRates) {
  Coppock c(2, 1, 2);
  const auto out = run(c, std::vector<double>{0, 1, 3, 4, 2});
  const double s3 = 0.0 + (3.0 - 1.0) / 1.0 * 100.0;                       // zero base, then 200
  const double s4 = (4.0 - 1.0) / 1.0 * 100.0 + (4.0 - 3.0) / 3.0 * 100.0;
  const double s5 = (2.0 - 3.0) / 3.0 * 100.0 + (2.0 - 4.0) / 4.0 * 100.0;
  const double num4 = 1.0 * s3 + 2.0 * s4;
  EXPECT_EQ(out, (Outs{none, none, none, num4 / 3.0, (2.0 * s5 + (num4 - (s4 + s3))) / 3.0}));
}

TEST(Momentum, TrixFromTheSecondTripleAverage) {
  Trix one(1);  // every stage is the close itself
  EXPECT_EQ(run(one, std::vector<double>{0, 5, 10}), (Outs{none, 0.0, (10.0 - 5.0) * 100.0 / 5.0}));

  Trix t(2);
  const auto out = run(t, std::vector<double>{1, 2, 4, 8, 16});
  const double e1_2 = 1.5, e1_3 = ema_step(2, e1_2, 4), e1_4 = ema_step(2, e1_3, 8), e1_5 = ema_step(2, e1_4, 16);
  const double e2_3 = (e1_2 + e1_3) / 2.0, e2_4 = ema_step(2, e2_3, e1_4), e2_5 = ema_step(2, e2_4, e1_5);
  const double e3_4 = (e2_3 + e2_4) / 2.0, e3_5 = ema_step(2, e3_4, e2_5);
  EXPECT_EQ(out, (Outs{none, none, none, none, (e3_5 - e3_4) * 100.0 / e3_4}));
}

TEST(Momentum, TsiDoubleSmoothsTheChange) {
  Tsi unit(1, 1);  // both stages are the identity: +-100, 0 without change
  EXPECT_EQ(run(unit, std::vector<double>{5, 7, 6, 6}), (Outs{none, 100.0, -100.0, 0.0}));

  Tsi t(2, 1);
  const auto out = run(t, std::vector<double>{1, 2, 4, 3});
  const double m4 = ema_step(2, 1.5, -1.0);
  const double a4 = ema_step(2, 1.5, 1.0);
  EXPECT_EQ(out, (Outs{none, none, (1.5 * 100.0) / 1.5, (m4 * 100.0) / a4}));
}

TEST(Momentum, PmoSeedsEachStageWithItsFirstValue) {
  Pmo p(4, 5);  // alphas 0.5 and 0.4
  const auto out = run(p, std::vector<double>{10, 11, 0, 5});
  const double a1 = (11.0 / 10.0 - 1.0) * 100.0;
  const double b1 = a1 * 10.0;
  const double a2 = std::fma(0.5, (0.0 / 11.0 - 1.0) * 100.0, (1.0 - 0.5) * a1);
  const double b2 = std::fma(0.4, a2 * 10.0, (1.0 - 0.4) * b1);
  const double a3 = std::fma(0.5, 0.0, (1.0 - 0.5) * a2);  // zero previous close: roc 0
  const double b3 = std::fma(0.4, a3 * 10.0, (1.0 - 0.4) * b2);
  EXPECT_EQ(out, (Outs{none, b1, b2, b3}));
}

TEST(Momentum, DisparityIndex) {
  DisparityIndex d(2);
  EXPECT_EQ(run(d, std::vector<double>{1, 3, -3}), (Outs{none, (3.0 - 2.0) * 100.0 / 2.0, 0.0}));
}

TEST(Momentum, DpoShiftsTheAverageBack) {
  Dpo four(4);
  EXPECT_EQ(run(four, std::vector<double>{1, 2, 3, 10, 20}), (Outs{none, none, none, 1.0 - 16.0 / 4.0, 2.0 - 35.0 / 4.0}));
  // Shorter periods keep n/2 + 2 closes: the close n/2 + 1 bars back lies beyond the average.
  Dpo one(1);
  EXPECT_EQ(run(one, std::vector<double>{5, 7, 4}), (Outs{none, 5.0 - 7.0, 7.0 - 4.0}));
  Dpo two(2);
  EXPECT_EQ(run(two, std::vector<double>{1, 2, 4, 8}), (Outs{none, none, 1.0 - 6.0 / 2.0, 2.0 - 12.0 / 2.0}));
}

}  // namespace
}  // namespace sorvik

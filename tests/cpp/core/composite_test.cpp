// The relative-strength variants and the composite oscillators.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/support.hpp"
#include "indicators/composite/accelerator_oscillator.hpp"
#include "indicators/composite/adaptive_rsi.hpp"
#include "indicators/composite/anchored_rsi.hpp"
#include "indicators/composite/awesome_oscillator.hpp"
#include "indicators/composite/awesome_oscillator_histogram.hpp"
#include "indicators/composite/balance_of_power.hpp"
#include "indicators/composite/cfo.hpp"
#include "indicators/composite/connors_rsi.hpp"
#include "indicators/composite/dynamic_momentum_index.hpp"
#include "indicators/composite/elder_ray.hpp"
#include "indicators/composite/fisher_rsi.hpp"
#include "indicators/composite/inertia.hpp"
#include "indicators/composite/intraday_momentum_index.hpp"
#include "indicators/composite/laguerre_rsi.hpp"
#include "indicators/composite/pgo.hpp"
#include "indicators/composite/projection_oscillator.hpp"
#include "indicators/composite/qqe.hpp"
#include "indicators/composite/qstick.hpp"
#include "indicators/composite/rmi.hpp"
#include "indicators/composite/rsx.hpp"
#include "indicators/composite/rvi.hpp"
#include "indicators/composite/stc.hpp"
#include "indicators/composite/tii.hpp"
#include "indicators/composite/trend_strength_index.hpp"
#include "indicators/composite/ultimate_oscillator.hpp"
#include "indicators/composite/wave_pm.hpp"
#include "indicators/composite/wave_trend.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/volatility/rvi_volatility.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Outs = std::vector<std::optional<double>>;
constexpr std::nullopt_t none = std::nullopt;

/// A candle of open o and close c, high and low at the body's ends.
Candle body(double o, double c) { return candle(o, std::max(o, c), std::min(o, c), c); }

/// A deterministic wavy series of valid candles.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return candle(o, std::max(o, c) + 1.5 + std::cos(i * 0.9), std::min(o, c) - 1.0, c, 1000.0);
}

// The exponential step with alpha = 2 / (n + 1), for the hand computations below.
double ema_step(double n, double value, double x) {
  const double a = 2.0 / (n + 1.0);
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
      {"UltimateOscillator", {3, 5, 7}, 8},
      {"UltimateOscillator", {7, 5, 3}, 8},  // the longest window decides
      {"AwesomeOscillator", {3, 6}, 6},
      {"AwesomeOscillatorHistogram", {3, 6, 2}, 8},
      {"AcceleratorOscillator", {3, 6, 4}, 9},
      {"DynamicMomentumIndex", {14}, 31},
      {"DynamicMomentumIndex", {1}, 31},
      {"Rmi", {4, 3}, 7},
      {"Rsx", {5}, 6},
      {"ConnorsRsi", {3, 2, 10}, 11},
      {"ConnorsRsi", {6, 2, 3}, 7},
      {"ConnorsRsi", {3, 5, 3}, 7},
      {"LaguerreRsi", {0.5}, 1},
      {"AdaptiveRsi", {5}, 6},
      {"AnchoredRsi", {}, 2},
      {"FisherRsi", {5}, 6},
      {"Stc", {3, 6, 4, 0.5}, 12},
      {"Qqe", {3, 2, 4.236}, 14},
      {"Tii", {4, 3}, 6},
      {"Pgo", {5}, 5},
      {"Cfo", {5}, 5},
      {"ElderRay", {5}, 5},
      {"BalanceOfPower", {}, 1},
      {"WaveTrend", {3, 4, 2}, 9},
      {"Inertia", {3, 4}, 8},
      {"Rvi", {5}, 8},
      {"TrendStrengthIndex", {5}, 5},
      {"IntradayMomentumIndex", {5}, 5},
      {"ProjectionOscillator", {5}, 5},
      {"Qstick", {5}, 5},
      {"WavePm", {4, 3}, 10},
  };
  return cases;
}

// Every member yields first exactly at its warm-up bar and on every valid bar after.
TEST(Composite, FirstValueAtWarmupThenEveryBar) {
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

// A non-finite close (an invalid candle for the candle members) neither counts towards the warm-up
// nor changes any later value or named output.
TEST(Composite, SkippedBarsChangeNothing) {
  for (const auto& c : warmup_cases()) {
    auto clean = std::move(*create_indicator(c.name, c.params));
    auto dirty = std::move(*create_indicator(c.name, c.params));
    for (int i = 1; i <= 60; ++i) {
      if (i % 3 == 0) {
        Candle bad = wave(i);
        bad.close = NaN;
        EXPECT_FALSE(dirty->update(bar(bad)).has_value()) << c.name;
        bad.close = Inf;
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

// A scalar member called directly skips a non-finite close itself (embedding types rely on it).
TEST(Composite, ScalarMembersSkipNonFiniteClosesWhenCalledDirectly) {
  const std::vector<double> xs = {10, NaN, 11, Inf, 12, -Inf, 11, 13, 12, 14};
  std::vector<double> clean_xs;
  for (double x : xs) {
    if (std::isfinite(x)) clean_xs.push_back(x);
  }
  auto compare = [&](auto dirty, auto clean, const char* name) {
    Outs a = run_primary(dirty, xs);
    Outs b = run_primary(clean, clean_xs);
    Outs a_valid;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      if (std::isfinite(xs[i])) {
        a_valid.push_back(a[i]);
      } else {
        EXPECT_FALSE(a[i].has_value()) << name;
      }
    }
    EXPECT_EQ(a_valid, b) << name;
  };
  compare(Rmi(2, 2), Rmi(2, 2), "Rmi");
  compare(Rsx(2), Rsx(2), "Rsx");
  compare(ConnorsRsi(2, 2, 3), ConnorsRsi(2, 2, 3), "ConnorsRsi");
  compare(LaguerreRsi(0.5), LaguerreRsi(0.5), "LaguerreRsi");
  compare(AdaptiveRsi(2), AdaptiveRsi(2), "AdaptiveRsi");
  compare(AnchoredRsi(), AnchoredRsi(), "AnchoredRsi");
  compare(FisherRsi(2), FisherRsi(2), "FisherRsi");
  compare(Stc(1, 2, 2, 0.5), Stc(1, 2, 2, 0.5), "Stc");
  compare(Tii(2, 2), Tii(2, 2), "Tii");
  compare(Cfo(3), Cfo(3), "Cfo");
  compare(TrendStrengthIndex(3), TrendStrengthIndex(3), "TrendStrengthIndex");
  compare(WavePm(2, 2), WavePm(2, 2), "WavePm");
  compare(DynamicMomentumIndex(5), DynamicMomentumIndex(5), "DynamicMomentumIndex");
  compare(Qqe(1, 1, 2.0), Qqe(1, 1, 2.0), "Qqe");
}

TEST(Composite, NamedOutputsInOrder) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::vector<std::string_view> names;
  };
  const Case cases[] = {
      {"Qqe", {3, 2, 4.236}, {"rsi_ma", "trailing_line"}},
      {"ElderRay", {5}, {"bull_power", "bear_power"}},
      {"WaveTrend", {3, 4, 2}, {"wt1", "wt2"}},
      {"UltimateOscillator", {3, 5, 7}, {}},
      {"ConnorsRsi", {3, 2, 10}, {}},
      {"BalanceOfPower", {}, {}},
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

TEST(Composite, ConstructorMessagesThroughTheFactory) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;  // null: builds; a text ending in MAX stands for the window-bound message
  };
  const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const Case cases[] = {
      {"UltimateOscillator", {7, 14, 16777216}, nullptr},
      {"UltimateOscillator", {16777217, 14, 28}, "UltimateOscillator: MAX"},
      {"UltimateOscillator", {7, 16777217, 28}, "UltimateOscillator: MAX"},
      {"UltimateOscillator", {7, 14, 16777217}, "UltimateOscillator: MAX"},
      {"AwesomeOscillator", {5, 5}, "AwesomeOscillator: invalid period: AO fast period must be strictly less than slow"},
      {"AwesomeOscillator", {34, 5}, "AwesomeOscillator: invalid period: AO fast period must be strictly less than slow"},
      {"AwesomeOscillator", {5, 16777217}, "AwesomeOscillator: MAX"},
      {"AwesomeOscillator", {16777218, 16777217}, "AwesomeOscillator: invalid period: AO fast period must be strictly less than slow"},
      {"AwesomeOscillatorHistogram", {5, 5, 1},
       "AwesomeOscillatorHistogram: invalid period: AwesomeOscillatorHistogram fast must be strictly less than slow"},
      {"AwesomeOscillatorHistogram", {5, 16777217, 1}, "AwesomeOscillatorHistogram: MAX"},
      {"AwesomeOscillatorHistogram", {5, 34, 16777217}, "AwesomeOscillatorHistogram: MAX"},
      {"AwesomeOscillatorHistogram", {5, 34, 16777216}, nullptr},
      {"AcceleratorOscillator", {34, 5, 5}, "AcceleratorOscillator: invalid period: AO fast period must be strictly less than slow"},
      {"AcceleratorOscillator", {5, 16777217, 5}, "AcceleratorOscillator: MAX"},
      {"AcceleratorOscillator", {5, 34, 16777217}, "AcceleratorOscillator: MAX"},
      {"DynamicMomentumIndex", {16777216}, nullptr},
      {"DynamicMomentumIndex", {16777217}, "DynamicMomentumIndex: MAX"},
      {"Rmi", {16777217, 3}, "Rmi: MAX"},
      {"Rmi", {14, 16777217}, "Rmi: MAX"},
      {"Rmi", {14, 16777216}, nullptr},
      {"Rsx", {16777217}, "Rsx: MAX"},
      {"ConnorsRsi", {16777217, 2, 100}, "ConnorsRsi: MAX"},
      {"ConnorsRsi", {3, 16777217, 100}, "ConnorsRsi: MAX"},
      {"ConnorsRsi", {3, 2, 16777217}, "ConnorsRsi: MAX"},
      {"LaguerreRsi", {0}, nullptr},
      {"LaguerreRsi", {1}, nullptr},
      {"LaguerreRsi", {-0.1}, "LaguerreRsi: invalid period: LaguerreRSI gamma must be a finite value in [0, 1]"},
      {"LaguerreRsi", {1.5}, "LaguerreRsi: invalid period: LaguerreRSI gamma must be a finite value in [0, 1]"},
      {"AdaptiveRsi", {16777217}, "AdaptiveRsi: MAX"},
      {"FisherRsi", {16777217}, "FisherRsi: MAX"},
      {"Stc", {23, 23, 10, 0.5}, "Stc: invalid period: STC fast period must be strictly less than slow"},
      {"Stc", {23, 50, 10, 0}, "Stc: invalid period: STC factor must be a finite value in (0, 1]"},
      {"Stc", {23, 50, 10, 1.5}, "Stc: invalid period: STC factor must be a finite value in (0, 1]"},
      {"Stc", {23, 50, 10, 1}, nullptr},
      {"Stc", {23, 16777217, 10, 0.5}, "Stc: MAX"},
      {"Stc", {23, 50, 16777217, 0.5}, "Stc: MAX"},
      {"Stc", {23, 50, 16777217, 2}, "Stc: MAX"},  // the lengths before the factor
      {"Qqe", {14, 5, 0}, "Qqe: invalid period: QQE factor must be a finite positive value"},
      {"Qqe", {14, 5, -4.236}, "Qqe: invalid period: QQE factor must be a finite positive value"},
      {"Qqe", {16777217, 5, 4.236}, "Qqe: MAX"},
      {"Qqe", {14, 16777217, 0}, "Qqe: MAX"},  // the lengths before the factor
      {"Qqe", {16777216, 5, 4.236}, nullptr},
      {"Tii", {16777217, 30}, "Tii: MAX"},
      {"Tii", {60, 16777217}, "Tii: MAX"},
      {"Pgo", {16777217}, "Pgo: MAX"},
      {"Cfo", {1}, "Cfo: invalid period: linear regression needs period >= 2"},
      {"Cfo", {2}, nullptr},
      {"Cfo", {16777217}, "Cfo: MAX"},
      {"ElderRay", {16777217}, "ElderRay: MAX"},
      {"WaveTrend", {16777217, 21, 4}, "WaveTrend: MAX"},
      {"WaveTrend", {10, 16777217, 4}, "WaveTrend: MAX"},
      {"WaveTrend", {10, 21, 16777217}, "WaveTrend: MAX"},
      {"Inertia", {1, 20}, "Inertia: invalid period: RVI period must be >= 2"},
      {"Inertia", {1, 16777217}, "Inertia: invalid period: RVI period must be >= 2"},
      {"Inertia", {16777217, 1}, "Inertia: MAX"},
      {"Inertia", {14, 1}, "Inertia: invalid period: linear regression needs period >= 2"},
      {"Inertia", {14, 16777217}, "Inertia: MAX"},
      {"Inertia", {2, 2}, nullptr},
      {"Rvi", {16777217}, "Rvi: MAX"},
      {"TrendStrengthIndex", {1}, "TrendStrengthIndex: invalid period: period must be >= 2 for a regression"},
      {"TrendStrengthIndex", {16777217}, "TrendStrengthIndex: MAX"},
      {"TrendStrengthIndex", {2}, nullptr},
      {"IntradayMomentumIndex", {16777217}, "IntradayMomentumIndex: MAX"},
      {"ProjectionOscillator", {1}, "ProjectionOscillator: invalid period: projection bands need period >= 2"},
      {"ProjectionOscillator", {16777217}, "ProjectionOscillator: MAX"},
      {"Qstick", {16777217}, "Qstick: MAX"},
      {"WavePm", {16777217, 3}, "WavePm: MAX"},
      {"WavePm", {14, 16777217}, "WavePm: MAX"},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text == nullptr) {
      EXPECT_TRUE(made.has_value()) << c.name << ": " << made.error().display();
      continue;
    }
    ASSERT_FALSE(made.has_value()) << c.name;
    std::string want = std::string("invalid parameters for indicator ") + c.text;
    if (want.ends_with("MAX")) want.replace(want.size() - 3, 3, max);
    EXPECT_EQ(made.error().display(), want) << c.name;
  }
}

// Orders the factory cannot reach (zero lengths and non-finite reals arrive only from direct calls).
TEST(Composite, ConstructorCheckOrder) {
  const std::string zero = "period must be greater than zero";
  const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string ao = "invalid period: AO fast period must be strictly less than slow";
  const std::string gamma = "invalid period: LaguerreRSI gamma must be a finite value in [0, 1]";
  const std::string stc_order = "invalid period: STC fast period must be strictly less than slow";
  const std::string stc_factor = "invalid period: STC factor must be a finite value in (0, 1]";
  const std::string qqe = "invalid period: QQE factor must be a finite positive value";
  const std::pair<std::string, std::string> cases[] = {
      {error_text(UltimateOscillator::create(0, 16777217, 28)), zero},
      {error_text(UltimateOscillator::create(16777217, 0, 28)), max},
      {error_text(UltimateOscillator::create(7, 14, 0)), zero},
      {error_text(AwesomeOscillator::create(0, 34)), zero},  // 0 < 34: the order holds
      {error_text(AwesomeOscillator::create(5, 0)), ao},     // the order first
      {error_text(AwesomeOscillatorHistogram::create(5, 34, 0)), zero},
      {error_text(AcceleratorOscillator::create(0, 34, 16777217)), zero},
      {error_text(AcceleratorOscillator::create(5, 34, 0)), zero},
      {error_text(DynamicMomentumIndex::create(0)), zero},
      {error_text(Rmi::create(0, 16777217)), zero},
      {error_text(Rmi::create(16777217, 0)), max},
      {error_text(Rsx::create(0)), zero},
      {error_text(ConnorsRsi::create(3, 0, 16777217)), zero},
      {error_text(LaguerreRsi::create(NaN)), gamma},
      {error_text(LaguerreRsi::create(Inf)), gamma},
      {error_text(AdaptiveRsi::create(0)), zero},
      {error_text(FisherRsi::create(0)), zero},
      {error_text(Stc::create(0, 0, 10, 0.5)), stc_order},
      {error_text(Stc::create(0, 26, 0, NaN)), zero},
      {error_text(Stc::create(23, 50, 0, NaN)), zero},
      {error_text(Stc::create(23, 50, 10, NaN)), stc_factor},
      {error_text(Stc::create(23, 50, 10, Inf)), stc_factor},
      {error_text(Qqe::create(0, 0, NaN)), zero},
      {error_text(Qqe::create(14, 0, NaN)), zero},
      {error_text(Qqe::create(14, 5, NaN)), qqe},
      {error_text(Qqe::create(14, 5, Inf)), qqe},
      {error_text(Tii::create(0, 16777217)), zero},
      {error_text(Tii::create(60, 0)), zero},
      {error_text(Pgo::create(0)), zero},
      {error_text(Cfo::create(0)), "invalid period: linear regression needs period >= 2"},
      {error_text(ElderRay::create(0)), zero},
      {error_text(WaveTrend::create(10, 0, 16777217)), zero},
      // Both Inertia lengths are tested for zero before anything else.
      {error_text(Inertia::create(0, 20)), zero},
      {error_text(Inertia::create(1, 0)), zero},
      {error_text(Inertia::create(16777217, 0)), zero},
      {error_text(Rvi::create(0)), zero},
      {error_text(TrendStrengthIndex::create(0)), "invalid period: period must be >= 2 for a regression"},
      {error_text(IntradayMomentumIndex::create(0)), zero},
      {error_text(ProjectionOscillator::create(0)), "invalid period: projection bands need period >= 2"},
      {error_text(Qstick::create(0)), zero},
      {error_text(WavePm::create(16777217, 0)), max},
      {error_text(WavePm::create(14, 0)), zero},
  };
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

// ---------------------------------------------------------------------------------------------------
// Relative-strength variants

TEST(Composite, DynamicMomentumIndexUsesTheLastLChanges) {
  // 31 closes: the first 20 changes are small, the last 10 three times larger, so the deviation of
  // the last 5 closes is about 1.31 times its 10-bar average.
  const int pattern[] = {1, -1, 2, -1, 1, -2, 1, 1, -1, 2};
  std::vector<double> closes = {100.0};
  for (int i = 0; i < 30; ++i) closes.push_back(closes.back() + pattern[i % 10] * (i < 20 ? 1 : 3));
  struct Case {
    std::uint64_t n;
    double up;
    double down;  // over the last L changes
  };
  const Case cases[] = {
      {14, 26.0, 15.0},   // L = round(14 / 1.31) = 11
      {5, 12.0, 9.0},     // round(5 / 1.31) = 4 is raised to 5
      {100, 40.0, 25.0},  // round(100 / 1.31) = 76 is limited to 30
  };
  for (const auto& c : cases) {
    DynamicMomentumIndex dmi(c.n);
    const Outs out = run(dmi, closes);
    for (std::size_t i = 0; i < 30; ++i) ASSERT_FALSE(out[i].has_value()) << i;
    EXPECT_EQ(out[30], c.up / (c.up + c.down) * 100.0) << c.n;
  }
  // Zero deviation: all 30 changes count; a flat series has no change at all and yields 50.
  DynamicMomentumIndex flat_dmi(14);
  const Outs flat_out = run(flat_dmi, std::vector<double>(32, 7.0));
  EXPECT_EQ(flat_out[30], 50.0);
  EXPECT_EQ(flat_out[31], 50.0);
  std::vector<double> steps;
  for (int i = 0; i < 31; ++i) steps.push_back(i < 16 ? 10.0 + i : 25.0);  // 15 rises, then flat
  DynamicMomentumIndex step_dmi(14);
  EXPECT_EQ(run(step_dmi, steps)[30], 100.0);  // the deviation is 0: all 30 changes, 15 of them rises
}

TEST(Composite, RmiUsesTheChangeOverTheLag) {
  Rmi rmi(2, 2);
  const Outs out = run(rmi, std::vector<double>{1, 2, 4, 3, 1});
  // Changes over 2 bars: 3 (4 - 1), 1 (3 - 2): seed gain 2, loss 0; then -3 (1 - 4).
  const double g = std::fma(2.0, 1.0, 0.0) * 0.5;
  const double l = std::fma(0.0, 1.0, 3.0) * 0.5;
  EXPECT_EQ(out, (Outs{none, none, none, 100.0, (g * 100.0) / (g + l)}));
  Rmi flat(2, 3);
  EXPECT_EQ(run(flat, std::vector<double>(6, 5.0)), (Outs{none, none, none, none, 50.0, 50.0}));
}

TEST(Composite, RsxCascadesThreeStagesPerSeries) {
  // n = 1: alpha = 1, beta = 0, every stage passes its input through, so the value is 100 on a rise,
  // 0 on a fall and 50 on an unchanged close.
  Rsx one(1);
  EXPECT_EQ(run(one, std::vector<double>{5, 6, 4, 4}), (Outs{none, 100.0, 0.0, 50.0}));

  // n = 2: alpha = 0.75, beta = 0.25; yields from the second change on.
  const double alpha = 3.0 / 4.0;
  const double beta = 1.0 - alpha;
  auto cascade = [&](std::vector<double> vs) {
    double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
    double out = 0.0;
    for (double v : vs) {
      for (int k = 0; k < 3; ++k) {
        a[k] = v * alpha + a[k] * beta;
        b[k] = b[k] * beta + alpha * a[k];
        v = a[k] * 1.5 - b[k] * 0.5;
      }
      out = v;
    }
    return out;
  };
  Rsx two(2);
  const Outs out = run(two, std::vector<double>{1, 2, 4, 3});
  const double c3 = cascade({1, 2});
  const double m3 = cascade({1, 2});
  const double c4 = cascade({1, 2, -1});
  const double m4 = cascade({1, 2, 1});
  ASSERT_FALSE(out[1].has_value());
  EXPECT_EQ(out[2], std::min(100.0, (c3 / m3 + 1.0) * 50.0));
  EXPECT_EQ(out[3], (c4 / m4 + 1.0) * 50.0);
  EXPECT_GT(*out[3], 0.0);
  EXPECT_LT(*out[3], 100.0);
}

TEST(Composite, RsxIsLimitedToTheRange) {
  // A sharp reversal overshoots the cascade of the change: the value is limited to [0, 100].
  Rsx rsx(3);
  for (const double x : {1.0, 100.0, 100.0, 100.0, 1.0, 1.0}) {
    if (auto v = rsx.update(x)) {
      EXPECT_GE(*v, 0.0);
      EXPECT_LE(*v, 100.0);
    }
  }
  Rsx flat(2);
  EXPECT_EQ(run(flat, std::vector<double>(4, 3.0)), (Outs{none, none, 50.0, 50.0}));
}

TEST(Composite, ConnorsRsiAveragesItsThreeParts) {
  // Rsi(1) is 100 on a rise, 0 on a fall and 50 when flat.
  ConnorsRsi crsi(1, 1, 2);
  const Outs out = run(crsi, std::vector<double>{10, 11, 12, 11, 11});
  // Bar 3: streak 1 -> 2 (Rsi 100), returns 0.1 and 1/11: none below 1/11.
  // Bar 4: streak -1 (Rsi 0), returns 1/11 and -1/12: none below.
  // Bar 5: streak 0 (a rise from -1: Rsi 100), returns -1/12 and 0: one below 0.
  EXPECT_EQ(out, (Outs{none, none, ((100.0 + 100.0) + 0.0) / 3.0, ((0.0 + 0.0) + 0.0) / 3.0,
                       ((50.0 + 100.0) + 50.0) / 3.0}));

  // A zero previous close gives no return: the rank of the last return stands.
  ConnorsRsi zero_base(1, 1, 1);
  const Outs z = run(zero_base, std::vector<double>{-1, 0, 1, 2});
  EXPECT_EQ(z[2], ((100.0 + 100.0) + 0.0) / 3.0);
  EXPECT_EQ(z[3], ((100.0 + 100.0) + 0.0) / 3.0);
}

TEST(Composite, ConnorsRsiStreakRunsAndResets) {
  // Streak 1, 2, 3, then -1, -2, then 0: the streak Rsi(1) sees +1, +1, -4, -1, +2.
  ConnorsRsi crsi(1, 1, 1);
  const Outs out = run(crsi, std::vector<double>{1, 2, 3, 4, 3, 2, 2});
  // A window of one return never has a value below its own: the rank is always 0.
  EXPECT_EQ(out, (Outs{none, none, 200.0 / 3.0, 200.0 / 3.0, 0.0, 0.0, ((50.0 + 100.0) + 0.0) / 3.0}));
}

TEST(Composite, LaguerreRsi) {
  // The first close yields 50.
  LaguerreRsi half(0.5);
  const Outs out = run(half, std::vector<double>{1, 2});
  EXPECT_EQ(out[0], 50.0);
  // L0 = 1.5, L1 = 0.5 + (1 - 0.75) = 0.75, L2 = 0.5 + (1 - 0.375) = 1.125, L3 = 0.5 + (1 - 0.5625).
  const double l0 = 1.0 * 0.5 + 2.0 * 0.5;
  const double l1 = 1.0 * 0.5 + (1.0 - 0.5 * l0);
  const double l2 = 1.0 * 0.5 + (1.0 - 0.5 * l1);
  const double l3 = 1.0 * 0.5 + (1.0 - 0.5 * l2);
  const double cu = (0.0 + (l0 - l1)) + (l2 - l3);
  const double cd = 0.0 + (l2 - l1);
  EXPECT_EQ(out[1], cu * 100.0 / (cu + cd));

  // gamma = 0 makes the filter a delay line: L0 = x, Lk = the previous L(k-1).
  LaguerreRsi delay(0.0);
  EXPECT_EQ(run(delay, std::vector<double>{1, 2, 1, 1, 1, 1}), (Outs{50.0, 100.0, 50.0, 50.0, 0.0, 50.0}));
  // gamma = 1 freezes every element: no rise, no fall.
  LaguerreRsi frozen(1.0);
  EXPECT_EQ(run(frozen, std::vector<double>{1, 5, 2}), (Outs{50.0, 50.0, 50.0}));
}

TEST(Composite, AdaptiveRsiSmoothsWithTheEfficiencyRatio) {
  AdaptiveRsi arsi(2);
  const Outs out = run(arsi, std::vector<double>{1, 2, 4, 3});
  // Seed over the changes +1, +2: gain 1.5, loss 0.
  // Bar 4: window 2, 4, 3: path 2 + 1 = 3, change |3 - 2| = 1, er = 1/3.
  const double t = (1.0 / 3.0) * 0.6021505376344085 + 0.06451612903225806;
  const double sc = t * t;
  const double gain = (0.0 - 1.5) * sc + 1.5;
  const double loss = (1.0 - 0.0) * sc + 0.0;
  EXPECT_EQ(out, (Outs{none, none, 100.0, gain / (gain + loss) * 100.0}));

  // A window without any change uses the fixed slow constant.
  AdaptiveRsi still(2);
  const Outs s = run(still, std::vector<double>{1, 2, 2, 2, 1});
  const double sc0 = 0.004162330905306971;
  const double g4 = (0.0 - 0.5) * sc0 + 0.5;
  EXPECT_EQ(s[3], g4 / (g4 + 0.0) * 100.0);
  // Bar 5: window 2, 2, 1: er = 1.
  const double t1 = 1.0 * 0.6021505376344085 + 0.06451612903225806;
  const double g5 = (0.0 - g4) * (t1 * t1) + g4;
  const double l5 = (1.0 - 0.0) * (t1 * t1) + 0.0;
  EXPECT_EQ(s[4], g5 / (g5 + l5) * 100.0);

  AdaptiveRsi flat(3);
  EXPECT_EQ(run(flat, std::vector<double>(5, 4.0)), (Outs{none, none, none, 50.0, 50.0}));
}

TEST(Composite, AnchoredRsi) {
  AnchoredRsi rising;
  EXPECT_EQ(run(rising, std::vector<double>{1, 2, 3, 5}), (Outs{none, 100.0, 100.0, 100.0}));
  AnchoredRsi constant;
  EXPECT_EQ(run(constant, std::vector<double>{4, 4, 4}), (Outs{none, 50.0, 50.0}));
  AnchoredRsi mixed;
  // G = 2 and L = 1 from the first close on, whatever came in between.
  EXPECT_EQ(run(mixed, std::vector<double>{1, 3, 2, 2}),
            (Outs{none, 100.0, 100.0 - 100.0 / (2.0 / 1.0 + 1.0), 100.0 - 100.0 / (2.0 / 1.0 + 1.0)}));
  AnchoredRsi falling;
  EXPECT_EQ(run(falling, std::vector<double>{3, 2}), (Outs{none, 100.0 - 100.0 / (0.0 / 1.0 + 1.0)}));
}

TEST(Composite, FisherRsiClampsBeforeTheTransform) {
  FisherRsi two(2);
  const Outs out = run(two, std::vector<double>{1, 2, 1.5});
  // Rsi(2): gains 1, 0 and losses 0, 0.5 -> 0.5 and 0.25.
  const double rsi = (0.5 * 100.0) / (0.5 + 0.25);
  const double v = (rsi - 50.0) / 50.0;
  EXPECT_EQ(out[2], 0.5 * std::log((1.0 + v) / (1.0 - v)));

  // Rsi(1) of a rise is 100 and of a fall 0: v is limited to +-0.999; unchanged gives 0.
  FisherRsi one(1);
  const double top = 0.5 * std::log((1.0 + 0.999) / (1.0 - 0.999));
  const double bottom = 0.5 * std::log((1.0 + -0.999) / (1.0 - -0.999));
  EXPECT_EQ(run(one, std::vector<double>{1, 2, 1, 1}), (Outs{none, top, bottom, 0.0}));
}

TEST(Composite, StcSmoothsTwoStochastics) {
  Stc stc(1, 2, 2, 0.5);
  const std::vector<double> xs = {1, 2, 4, 3, 5};
  const Outs out = run(stc, xs);
  // macd = Ema(1) - Ema(2): the close minus the 2-bar average seeded with (1 + 2) / 2.
  double slow = (1.0 + 2.0) / 2.0;
  std::vector<double> macd = {2.0 - slow};
  for (std::size_t i = 2; i < xs.size(); ++i) {
    slow = ema_step(2, slow, xs[i]);
    macd.push_back(xs[i] - slow);
  }
  auto stoch = [](double prev, double v) {
    const double lo = std::min(prev, v), hi = std::max(prev, v);
    return hi > lo ? (v - lo) * 100.0 / (hi - lo) : 0.0;
  };
  const double pf3 = stoch(macd[0], macd[1]);
  const double pf4 = (stoch(macd[1], macd[2]) - pf3) * 0.5 + pf3;
  const double pf5 = (stoch(macd[2], macd[3]) - pf4) * 0.5 + pf4;
  const double v4 = stoch(pf3, pf4);
  const double v5 = (stoch(pf4, pf5) - v4) * 0.5 + v4;
  EXPECT_EQ(out, (Outs{none, none, none, v4, v5}));
  EXPECT_NE(v5, 0.0);
  EXPECT_NE(v5, 100.0);

  // A flat macd window gives 0, not a division by zero.
  Stc flat(1, 2, 2, 0.5);
  EXPECT_EQ(run(flat, std::vector<double>(6, 3.0)), (Outs{none, none, none, 0.0, 0.0, 0.0}));
}

TEST(Composite, QqeTrailingLineFollowsTheTrend) {
  // Rsi(1) gives 100, 0 or 50; smoothing 1 and delta stages of length 2 * 1 - 1 = 1 leave their
  // inputs unchanged, so rsi_ma is the Rsi and band = |rsi_ma - previous| * factor.
  Qqe qqe(1, 1, 2.0);
  const std::vector<double> closes = {10, 11, 12, 11, 10, 10, 9, 9};
  using Pair = std::optional<std::array<double, 2>>;
  std::vector<Pair> got;
  for (double x : closes) got.push_back(qqe.update(x));
  const std::vector<Pair> want = {
      none, none,
      std::array<double, 2>{100, 100},   // first band (0): both lines 100, trend starts up
      std::array<double, 2>{0, 200},     // the previous long line 100 is crossed down: short line
      std::array<double, 2>{0, 0},       // trend down, short line 0 + 0
      std::array<double, 2>{50, -50},    // the previous short line 0 is crossed up: long line
      std::array<double, 2>{0, -50},     // trend up: the long line -50 is kept (new -100 is lower)
      std::array<double, 2>{50, -50},    // the short line 100 is kept (new 150 is higher)
  };
  EXPECT_EQ(got, want);
}

TEST(Composite, TiiSplitsDeviationsFromTheAverage) {
  Tii tii(2, 2);
  // Sma(2): 1.5, 3, 3.5 -> deviations 0.5, 1, -0.5.
  EXPECT_EQ(run(tii, std::vector<double>{1, 2, 4, 3}),
            (Outs{none, none, 100.0, (0.0 + 1.0) * 100.0 / ((0.0 + 1.0) + (0.0 + 0.5))}));
  Tii flat(3, 2);
  EXPECT_EQ(run(flat, std::vector<double>(5, 2.5)), (Outs{none, none, none, 50.0, 50.0}));
}

TEST(Composite, IntradayMomentumIndex) {
  IntradayMomentumIndex imi(2);
  const std::vector<Candle> bars = {body(1, 4), body(3, 2), body(2, 2), body(2, 2)};
  // up 3 and down 1; then down 1 only; then nothing: 50.
  EXPECT_EQ(run(imi, bars), (Outs{none, 300.0 / 4.0, 0.0, 50.0}));
}

// ---------------------------------------------------------------------------------------------------
// Composite oscillators

TEST(Composite, UltimateOscillatorWeightsItsThreeRatios) {
  UltimateOscillator uo(1, 2, 3);
  const std::vector<Candle> bars = {hlc(11, 9, 10), hlc(12, 9, 11), hlc(13, 11, 12), hlc(12, 8, 9), flat(9)};
  const Outs out = run(uo, bars);
  // bp / tr per bar from the second on: 2/3, 1/2, 1/4, then 0/0.
  const double at4 = ((2.0 * (2.0 / 6.0) + 4.0 * (1.0 / 4.0)) + 4.0 / 9.0) * 100.0 / 7.0;
  // Bar 5: the short window's tr sum is zero and uses 0.5.
  const double at5 = ((2.0 * (1.0 / 4.0) + 4.0 * 0.5) + 2.0 / 6.0) * 100.0 / 7.0;
  EXPECT_EQ(out, (Outs{none, none, none, at4, at5}));

  UltimateOscillator flat_uo(2, 3, 4);
  const Outs f = run(flat_uo, std::vector<Candle>(7, flat(5)));
  EXPECT_EQ(f[4], 50.0);
  EXPECT_EQ(f[6], 50.0);
}

TEST(Composite, AwesomeAndAcceleratorOscillators) {
  // Midpoints 2, 4, 9, 5 (high and low around them).
  const std::vector<Candle> bars = {hlc(3, 1, 2), hlc(5, 3, 4), hlc(10, 8, 9), hlc(6, 4, 5)};
  AwesomeOscillator ao(1, 2);
  const double ao2 = 4.0 - (2.0 + 4.0) / 2.0, ao3 = 9.0 - (4.0 + 9.0) / 2.0, ao4 = 5.0 - (9.0 + 5.0) / 2.0;
  EXPECT_EQ(run(ao, bars), (Outs{none, ao2, ao3, ao4}));

  AwesomeOscillatorHistogram hist(1, 2, 1);
  EXPECT_EQ(run(hist, bars), (Outs{none, none, ao3 - ao2, ao4 - ao3}));

  AcceleratorOscillator ac(1, 2, 2);
  EXPECT_EQ(run(ac, bars), (Outs{none, none, ao3 - (ao2 + ao3) / 2.0, ao4 - (ao3 + ao4) / 2.0}));
}

TEST(Composite, BalanceOfPower) {
  EXPECT_EQ(BalanceOfPower::update(candle(2, 5, 1, 4)), (4.0 - 2.0) / (5.0 - 1.0));
  EXPECT_EQ(BalanceOfPower::update(candle(4, 5, 1, 2)), -0.5);
  EXPECT_EQ(BalanceOfPower::update(flat(7)), 0.0);
}

TEST(Composite, ElderRayAroundTheAverage) {
  auto ind = std::move(*create_indicator("ElderRay", std::vector<double>{2}));
  EXPECT_FALSE(ind->update(bar(hlc(2, 0.5, 1))).has_value());
  // Ema(2) seeded with (1 + 3) / 2 = 2.
  EXPECT_EQ(ind->update(bar(hlc(4, 2.5, 3))), 4.0 - 2.0);
  EXPECT_EQ(ind->extra_outputs()[1], (NamedValue{"bear_power", 2.5 - 2.0}));
  const double ema = ema_step(2, 2.0, 6.0);
  EXPECT_EQ(ind->update(bar(hlc(7, 5, 6))), 7.0 - ema);
  EXPECT_EQ(ind->extra_outputs()[0], (NamedValue{"bull_power", 7.0 - ema}));
  EXPECT_EQ(ind->extra_outputs()[1], (NamedValue{"bear_power", 5.0 - ema}));
}

TEST(Composite, WaveTrendChannelIndex) {
  WaveTrend wt(2, 1, 2);
  // Flat candles: ap is the close.
  const std::vector<double> aps = {3, 6, 3, 4};
  std::vector<std::optional<std::array<double, 2>>> got;
  for (double x : aps) got.push_back(wt.update(flat(x)));
  const double esa2 = (3.0 + 6.0) / 2.0;
  const double esa3 = ema_step(2, esa2, 3.0);
  const double esa4 = ema_step(2, esa3, 4.0);
  const double d3 = (std::fabs(6.0 - esa2) + std::fabs(3.0 - esa3)) / 2.0;
  const double d4 = ema_step(2, d3, std::fabs(4.0 - esa4));
  const double ci3 = (3.0 - esa3) / (d3 * 0.015);
  const double ci4 = (4.0 - esa4) / (d4 * 0.015);
  ASSERT_FALSE(got[2].has_value());
  ASSERT_TRUE(got[3].has_value());
  EXPECT_EQ(*got[3], (std::array<double, 2>{ci4, (ci3 + ci4) / 2.0}));
}

TEST(Composite, WaveTrendRelativeEpsilonGuard) {
  // Around 1e9 a deviation of a few units in the last place is below max(|esa|, 1) * 16 * 2^-52
  // (about 3.6e-6): ci is 0. The same deviations around 1 are far above the guard's floor.
  const double ulp_1e9 = std::nextafter(1e9, 2e9) - 1e9;
  const double ulp_1 = std::nextafter(1.0, 2.0) - 1.0;
  auto last = [](double base, double step) {
    WaveTrend wt(2, 1, 1);
    std::optional<std::array<double, 2>> v;
    for (int k : {0, 4, 1, 3}) v = wt.update(flat(base + k * step));
    return v;
  };
  const auto big = last(1e9, ulp_1e9);
  ASSERT_TRUE(big.has_value());
  EXPECT_EQ((*big)[0], 0.0);
  const auto small = last(1.0, ulp_1 * 4096.0);
  ASSERT_TRUE(small.has_value());
  EXPECT_NE((*small)[0], 0.0);
  // A flat series: d = 0 is never above the guard.
  WaveTrend flat_wt(2, 2, 2);
  std::optional<std::array<double, 2>> v;
  for (int i = 0; i < 6; ++i) v = flat_wt.update(flat(5));
  EXPECT_EQ(v, (std::array<double, 2>{0.0, 0.0}));
}

TEST(Composite, RviSmoothsThenSums) {
  Rvi rvi(2);
  const std::vector<Candle> bars = {candle(1, 3, 0, 2), candle(2, 4, 1, 3), candle(3, 3, 1, 2),
                                    candle(2, 5, 2, 4), candle(4, 4, 2, 3), flat(3), flat(3), flat(3), flat(3),
                                    flat(3), flat(3)};
  const Outs out = run(rvi, bars);
  // num: 1, 1, -1, 2, -1; den: 3, 3, 2, 3, 2.
  const double n4 = (((1.0 + 2.0 * 1.0) + 2.0 * -1.0) + 2.0) / 6.0;
  const double d4 = (((3.0 + 2.0 * 3.0) + 2.0 * 2.0) + 3.0) / 6.0;
  const double n5 = (((1.0 + 2.0 * -1.0) + 2.0 * 2.0) + -1.0) / 6.0;
  const double d5 = (((3.0 + 2.0 * 2.0) + 2.0 * 3.0) + 2.0) / 6.0;
  const double v5 = (0.0 + n4 + n5) / (0.0 + d4 + d5);
  ASSERT_FALSE(out[3].has_value());
  EXPECT_EQ(out[4], v5);
  // Flat bars: from bar 10 on both smoothed ranges in the sum are zero -> the previous value again.
  ASSERT_TRUE(out[8].has_value());
  EXPECT_NE(out[8], out[7]);
  EXPECT_EQ(out[9], out[8]);
  EXPECT_EQ(out[10], out[8]);

  Rvi flat_rvi(1);
  EXPECT_EQ(run(flat_rvi, std::vector<Candle>(6, flat(2))), (Outs(6, none)));
}

TEST(Composite, CfoAgainstTheRegressionLine) {
  Cfo cfo(3);
  LinearRegression line(3);
  const std::vector<double> xs = {1, 2, 4, 0, 5};
  const Outs out = run(cfo, xs);
  const Outs fit = run(line, xs);
  ASSERT_FALSE(out[1].has_value());
  EXPECT_EQ(out[2], (4.0 - *fit[2]) * 100.0 / 4.0);
  EXPECT_NEAR(*out[2], (4.0 - (7.0 / 3.0 + 1.5)) * 100.0 / 4.0, 1e-12);
  EXPECT_EQ(out[3], out[2]);  // a zero close repeats the previous value but still feeds the line
  EXPECT_EQ(out[4], (5.0 - *fit[4]) * 100.0 / 5.0);

  Cfo first_zero(2);
  const Outs z = run(first_zero, std::vector<double>{3, 0, 1});
  EXPECT_FALSE(z[1].has_value());  // nothing before the first value
  EXPECT_TRUE(z[2].has_value());
}

TEST(Composite, InertiaRegressesTheRvi) {
  Inertia inertia(2, 3);
  RviVolatility rvi(2);
  LinearRegression line(3);
  std::vector<Candle> bars;
  for (int i = 1; i <= 12; ++i) bars.push_back(wave(i));
  const Outs out = run(inertia, bars);
  for (std::size_t i = 0; i < bars.size(); ++i) {
    std::optional<double> want;
    if (auto r = rvi.update(bars[i].close)) want = line.update(*r);
    EXPECT_EQ(out[i], want) << i;
  }
  EXPECT_FALSE(out[3].has_value());
  EXPECT_TRUE(out[4].has_value());  // 2 * 2 + 3 - 2 = 5 bars of warm-up

  // Rising closes: every RVI value is 100 (no down volatility), and the line through a constant is
  // that constant; from bar 2 * 2 + 2 - 2 = 4 on.
  Inertia rising(2, 2);
  EXPECT_EQ(run(rising, std::vector<Candle>{flat(1), flat(2), flat(3), flat(4), flat(6)}),
            (Outs{none, none, none, 100.0, 100.0}));
}

TEST(Composite, PgoDividesByTheAverageTrueRange) {
  Pgo pgo(2);
  const std::vector<Candle> bars = {hlc(11, 9, 10), hlc(12, 10, 11), hlc(15, 12, 14)};
  // True ranges 2, 2, 4 (the last from the gap to the previous close 11).
  const double atr3 = ema_step(2, 2.0, 4.0);
  EXPECT_EQ(run(pgo, bars), (Outs{none, (11.0 - 10.5) / 2.0, (14.0 - 12.5) / atr3}));

  // Flat bars: the average true range is 0 and nothing has been yielded yet.
  Pgo flat_pgo(2);
  const std::vector<Candle> flats = {flat(5), flat(5), flat(5), hlc(7, 5, 6)};
  const double atr4 = ema_step(2, 0.0, 2.0);
  EXPECT_EQ(run(flat_pgo, flats), (Outs{none, none, none, (6.0 - 5.5) / atr4}));
}

TEST(Composite, ProjectionOscillatorBetweenTheBands) {
  ProjectionOscillator po(2);
  // Highs 10, 12 (slope 2) and lows 8, 9 (slope 1) both project to the newest bar: 12 and 9.
  EXPECT_EQ(run(po, std::vector<Candle>{hlc(10, 8, 9), hlc(12, 9, 11)}), (Outs{none, (11.0 - 9.0) * 100.0 / (12.0 - 9.0)}));
  ProjectionOscillator flat_po(3);
  EXPECT_EQ(run(flat_po, std::vector<Candle>(4, flat(5))), (Outs{none, none, 50.0, 50.0}));
}

TEST(Composite, TrendStrengthIndexSignedSquaredCorrelation) {
  struct Case {
    std::vector<double> closes;
    double want;
  };
  const Case cases[] = {
      {{1, 2, 3}, 1.0},
      {{3, 2, 1}, -1.0},
      {{4, 4, 4}, 0.0},  // u = 0
      // mean 2, d = -1, 1, 0: Sdd 2, Sdx 1, Sd 0, Sx 3, Sxx 5 -> u 6, v 6, w 3.
      {{1, 3, 2}, 9.0 / 36.0},
      {{3, 1, 2}, -9.0 / 36.0},
  };
  for (const auto& c : cases) {
    TrendStrengthIndex tsi(3);
    const Outs out = run(tsi, c.closes);
    EXPECT_EQ(out[2], c.want) << c.closes[0];
  }
}

TEST(Composite, QstickAveragesTheBodies) {
  Qstick q(2);
  EXPECT_EQ(run(q, std::vector<Candle>{body(1, 2), body(3, 2), body(2, 5)}), (Outs{none, 0.0, 1.0}));
}

TEST(Composite, WavePmSeedsBothStages) {
  WavePm pm(2, 2);
  const Outs out = run(pm, std::vector<double>{1, 2, 4, 3, 5});
  // m over 2 bars: 9, 1, 1. ev seeds with (9 + 1) / 2 on bar 4.
  const double ev4 = (9.0 + 1.0) / 2.0;
  const double raw4 = 1.0 - std::exp(-1.0 / (ev4 * 2.0));
  const double ev5 = ema_step(2, ev4, 1.0);
  const double raw5 = 1.0 - std::exp(-1.0 / (ev5 * 2.0));
  EXPECT_EQ(out, (Outs{none, none, none, none, (raw4 + raw5) / 2.0 * 100.0}));
}

TEST(Composite, WavePmZeroVarianceAndNonFiniteSquare) {
  // p = 1: ev is m itself; a flat step gives ev = 0 and raw 0.
  WavePm pm(1, 1);
  EXPECT_EQ(run(pm, std::vector<double>{1, 3, 3}), (Outs{none, (1.0 - std::exp(-4.0 / (4.0 * 2.0))) * 100.0, 0.0}));
  // (2e200)^2 overflows: that square is skipped and the stages wait for the next one.
  WavePm big(1, 1);
  EXPECT_EQ(run(big, std::vector<double>{1e200, -1e200, -1e200}), (Outs{none, none, 0.0}));
}

}  // namespace
}  // namespace sorvik

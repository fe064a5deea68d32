// The cycle and DSP filters.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/cycles/adaptive_cycle.hpp"
#include "indicators/cycles/adaptive_laguerre_filter.hpp"
#include "indicators/cycles/autocorrelation_periodogram.hpp"
#include "indicators/cycles/bandpass_filter.hpp"
#include "indicators/cycles/center_of_gravity.hpp"
#include "indicators/cycles/correlation_trend_indicator.hpp"
#include "indicators/cycles/cybernetic_cycle.hpp"
#include "indicators/cycles/decycler.hpp"
#include "indicators/cycles/decycler_oscillator.hpp"
#include "indicators/cycles/ehlers_stochastic.hpp"
#include "indicators/cycles/empirical_mode_decomposition.hpp"
#include "indicators/cycles/even_better_sinewave.hpp"
#include "indicators/cycles/filters.hpp"
#include "indicators/cycles/fisher_transform.hpp"
#include "indicators/cycles/highpass_filter.hpp"
#include "indicators/cycles/hilbert_dominant_cycle.hpp"
#include "indicators/cycles/ht_dc_phase.hpp"
#include "indicators/cycles/ht_phasor.hpp"
#include "indicators/cycles/ht_trend_mode.hpp"
#include "indicators/cycles/instantaneous_trendline.hpp"
#include "indicators/cycles/inverse_fisher_transform.hpp"
#include "indicators/cycles/reflex.hpp"
#include "indicators/cycles/roofing_filter.hpp"
#include "indicators/cycles/sine_wave.hpp"
#include "indicators/cycles/super_smoother.hpp"
#include "indicators/cycles/trendflex.hpp"
#include "indicators/cycles/universal_oscillator.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

constexpr double EPS = 2.220446049250313e-16;

using Outs = std::vector<std::optional<double>>;

/// A deterministic wavy close series with a slow drift (two cycles mixed).
double wave(int i) { return 100.0 + 8.0 * std::sin(i * 0.31) + 3.0 * std::sin(i * 0.05) + 0.02 * i; }

// Keeps the compiler from folding math on constants (it rounds correctly where the run-time
// library may not): every expected value goes through the same library calls as the code.
double v(double x) {
  volatile double y = x;
  return y;
}

/// Super smoother coefficients of period p, as the run-time library gives them.
struct SsCoef {
  double c1, c2, c3;
};
SsCoef ss_coef(double p) {
  const double arg = v(4.442882938158366) / p;
  const double a = std::exp(-arg);
  const double c2 = 2.0 * a * std::cos(arg);
  const double c3 = -(a * a);
  return {1.0 - c2 - c3, c2, c3};
}

// ---------------------------------------------------------------------------------------------------
// Constructor checks

/// The display text of a typed constructor's first failing check, or "built".
template <class T, class... A>
std::string made(A... params) {
  auto r = T::create(params...);
  return r ? std::string("built") : r.error().display();
}

TEST(Cycles, ConstructorChecksInOrder) {
  using U = std::uint64_t;
  const std::string zero = "period must be greater than zero";
  const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string bandwidth = "invalid parameter: bandpass bandwidth must be in (0, 1)";
  const std::string lp_hp = "invalid period: lp_period must be strictly less than hp_period";
  const std::string fast_slow = "invalid period: fast period must be strictly less than slow period";
  const std::string scale = "invalid period: scale must be a positive finite number";
  const std::string cti = "invalid period: CTI needs period >= 2";
  const std::string acp = "invalid period: autocorrelation periodogram needs AvgLength < min_period < max_period";
  const std::string fraction = "invalid period: fraction must be in (0, 1]";
  const U top = 16777216, big = 16777217;
  struct Case {
    const char* label;
    std::string got;
    std::string expected;  // "built" when the parameters are accepted
  };
  const Case cases[] = {
      {"SuperSmoother 0", made<SuperSmoother>(U{0}), zero},
      {"SuperSmoother big", made<SuperSmoother>(big), max},
      {"SuperSmoother top", made<SuperSmoother>(top), "built"},
      {"HighpassFilter 0", made<HighpassFilter>(U{0}), zero},
      {"HighpassFilter big", made<HighpassFilter>(big), max},
      {"Decycler 0", made<Decycler>(U{0}), zero},
      {"Decycler big", made<Decycler>(big), max},
      {"AdaptiveLaguerreFilter 0", made<AdaptiveLaguerreFilter>(U{0}), zero},
      {"AdaptiveLaguerreFilter big", made<AdaptiveLaguerreFilter>(big), max},
      {"AdaptiveLaguerreFilter top", made<AdaptiveLaguerreFilter>(top), "built"},
      {"InstantaneousTrendline 0", made<InstantaneousTrendline>(U{0}), zero},
      {"InstantaneousTrendline big", made<InstantaneousTrendline>(big), max},
      {"CyberneticCycle 0", made<CyberneticCycle>(U{0}), zero},
      {"CyberneticCycle big", made<CyberneticCycle>(big), max},
      {"Reflex 0", made<Reflex>(U{0}), zero},
      {"Reflex big", made<Reflex>(big), max},
      {"Reflex top", made<Reflex>(top), "built"},
      {"Trendflex 0", made<Trendflex>(U{0}), zero},
      {"Trendflex big", made<Trendflex>(big), max},
      {"CenterOfGravity 0", made<CenterOfGravity>(U{0}), zero},
      {"CenterOfGravity big", made<CenterOfGravity>(big), max},
      {"FisherTransform 0", made<FisherTransform>(U{0}), zero},
      {"FisherTransform big", made<FisherTransform>(big), max},
      {"UniversalOscillator 0", made<UniversalOscillator>(U{0}), zero},
      {"UniversalOscillator big", made<UniversalOscillator>(big), max},
      {"EhlersStochastic 0", made<EhlersStochastic>(U{0}), zero},
      {"EhlersStochastic big", made<EhlersStochastic>(big), max},
      {"EhlersStochastic top", made<EhlersStochastic>(top), "built"},
      // Period before bandwidth.
      {"BandpassFilter 0, 0", made<BandpassFilter>(U{0}, 0.0), zero},
      {"BandpassFilter big, 0", made<BandpassFilter>(big, 0.0), max},
      {"BandpassFilter 20, 0", made<BandpassFilter>(U{20}, 0.0), bandwidth},
      {"BandpassFilter 20, 1", made<BandpassFilter>(U{20}, 1.0), bandwidth},
      {"BandpassFilter 20, -0.3", made<BandpassFilter>(U{20}, -0.3), bandwidth},
      {"BandpassFilter 20, NaN", made<BandpassFilter>(U{20}, NaN), bandwidth},
      {"BandpassFilter 20, Inf", made<BandpassFilter>(U{20}, Inf), bandwidth},
      {"BandpassFilter 20, 0.999", made<BandpassFilter>(U{20}, 0.999), "built"},
      // Zeros, then the order, then the bound on lp_period.
      {"RoofingFilter 0, 0", made<RoofingFilter>(U{0}, U{0}), zero},
      {"RoofingFilter 0, 48", made<RoofingFilter>(U{0}, U{48}), zero},
      {"RoofingFilter 48, 0", made<RoofingFilter>(U{48}, U{0}), zero},
      {"RoofingFilter 48, 10", made<RoofingFilter>(U{48}, U{10}), lp_hp},
      {"RoofingFilter 10, 10", made<RoofingFilter>(U{10}, U{10}), lp_hp},
      {"RoofingFilter big, big + 1", made<RoofingFilter>(big, big + 1), max},
      {"RoofingFilter top, big", made<RoofingFilter>(top, big), "built"},
      {"DecyclerOscillator 0, 30", made<DecyclerOscillator>(U{0}, U{30}), zero},
      {"DecyclerOscillator 30, 0", made<DecyclerOscillator>(U{30}, U{0}), zero},
      {"DecyclerOscillator 30, 30", made<DecyclerOscillator>(U{30}, U{30}), fast_slow},
      {"DecyclerOscillator big + 1, big", made<DecyclerOscillator>(big + 1, big), fast_slow},
      {"DecyclerOscillator 10, big", made<DecyclerOscillator>(U{10}, big), max},
      {"DecyclerOscillator 10, top", made<DecyclerOscillator>(U{10}, top), "built"},
      {"EvenBetterSinewave 0, 0", made<EvenBetterSinewave>(U{0}, U{0}), zero},
      {"EvenBetterSinewave 40, 0", made<EvenBetterSinewave>(U{40}, U{0}), zero},
      {"EvenBetterSinewave 40, big", made<EvenBetterSinewave>(U{40}, big), max},
      {"EvenBetterSinewave big, 10", made<EvenBetterSinewave>(big, U{10}), "built"},  // only ss_period is bounded
      {"InverseFisherTransform 0", made<InverseFisherTransform>(0.0), scale},
      {"InverseFisherTransform -2", made<InverseFisherTransform>(-2.0), scale},
      {"InverseFisherTransform NaN", made<InverseFisherTransform>(NaN), scale},
      {"InverseFisherTransform Inf", made<InverseFisherTransform>(Inf), scale},
      {"InverseFisherTransform tiny", made<InverseFisherTransform>(1e-300), "built"},
      {"CorrelationTrendIndicator 0", made<CorrelationTrendIndicator>(U{0}), cti},
      {"CorrelationTrendIndicator 1", made<CorrelationTrendIndicator>(U{1}), cti},
      {"CorrelationTrendIndicator big", made<CorrelationTrendIndicator>(big), max},
      {"CorrelationTrendIndicator 2", made<CorrelationTrendIndicator>(U{2}), "built"},
      {"AutocorrelationPeriodogram 0, 0", made<AutocorrelationPeriodogram>(U{0}, U{0}), zero},
      {"AutocorrelationPeriodogram 8, 0", made<AutocorrelationPeriodogram>(U{8}, U{0}), zero},
      {"AutocorrelationPeriodogram 3, 48", made<AutocorrelationPeriodogram>(U{3}, U{48}), acp},
      {"AutocorrelationPeriodogram 20, 20", made<AutocorrelationPeriodogram>(U{20}, U{20}), acp},
      {"AutocorrelationPeriodogram 12, 6", made<AutocorrelationPeriodogram>(U{12}, U{6}), acp},
      {"AutocorrelationPeriodogram 4, 10", made<AutocorrelationPeriodogram>(U{4}, U{10}), lp_hp},
      {"AutocorrelationPeriodogram 8, big", made<AutocorrelationPeriodogram>(U{8}, big), max},
      {"AutocorrelationPeriodogram 4, 11", made<AutocorrelationPeriodogram>(U{4}, U{11}), "built"},
      {"AutocorrelationPeriodogram top - 1, top", made<AutocorrelationPeriodogram>(top - 1, top), "built"},
      {"EmpiricalModeDecomposition 0, 0", made<EmpiricalModeDecomposition>(U{0}, 0.0), zero},
      {"EmpiricalModeDecomposition big, 0", made<EmpiricalModeDecomposition>(big, 0.0), max},
      {"EmpiricalModeDecomposition 20, 0", made<EmpiricalModeDecomposition>(U{20}, 0.0), fraction},
      {"EmpiricalModeDecomposition 20, 1.5", made<EmpiricalModeDecomposition>(U{20}, 1.5), fraction},
      {"EmpiricalModeDecomposition 20, NaN", made<EmpiricalModeDecomposition>(U{20}, NaN), fraction},
      {"EmpiricalModeDecomposition 20, 1", made<EmpiricalModeDecomposition>(U{20}, 1.0), "built"},
      {"EmpiricalModeDecomposition top, 0.5", made<EmpiricalModeDecomposition>(top, 0.5), "built"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.label;

  // Through the factory the type name leads the text.
  EXPECT_EQ(failure("RoofingFilter", {48, 10}), "invalid parameters for indicator RoofingFilter: " + lp_hp);
  EXPECT_EQ(failure("AutocorrelationPeriodogram", {4, 10}),
            "invalid parameters for indicator AutocorrelationPeriodogram: " + lp_hp);
  EXPECT_EQ(failure("BandpassFilter", {20, 1.0}), "invalid parameters for indicator BandpassFilter: " + bandwidth);
  EXPECT_EQ(failure("CorrelationTrendIndicator", {1}), "invalid parameters for indicator CorrelationTrendIndicator: " + cti);
  EXPECT_EQ(failure("SuperSmoother", {16777217}), "invalid parameters for indicator SuperSmoother: " + max);
  EXPECT_EQ(failure("HtDcPhase", {}), "built");
}

// ---------------------------------------------------------------------------------------------------
// Warm-up and skipped input, for every member

TEST(Cycles, FirstValueAtWarmupAndNonFiniteClosesChangeNothing) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::uint64_t warmup;
  };
  const Case cases[] = {
      {"SuperSmoother", {10}, 1},
      {"HighpassFilter", {20}, 1},
      {"BandpassFilter", {20, 0.3}, 1},
      {"RoofingFilter", {10, 48}, 1},
      {"Decycler", {20}, 1},
      {"DecyclerOscillator", {10, 30}, 1},
      {"AdaptiveLaguerreFilter", {7}, 7},
      {"InstantaneousTrendline", {20}, 1},
      {"CyberneticCycle", {10}, 1},
      {"EvenBetterSinewave", {40, 10}, 3},
      {"Reflex", {10}, 11},
      {"Trendflex", {9}, 10},
      {"CenterOfGravity", {10}, 10},
      {"FisherTransform", {9}, 9},
      {"InverseFisherTransform", {0.5}, 1},
      {"UniversalOscillator", {20}, 3},
      {"EhlersStochastic", {8}, 8},
      {"CorrelationTrendIndicator", {12}, 12},
      {"AutocorrelationPeriodogram", {8, 48}, 51},
      {"EmpiricalModeDecomposition", {20, 0.5}, 50},
      {"EmpiricalModeDecomposition", {30, 0.5}, 60},
      {"HtDcPhase", {}, 50},
      {"HilbertDominantCycle", {}, 50},
      {"SineWave", {}, 50},
      {"HtTrendMode", {}, 50},
      {"AdaptiveCycle", {}, 50},
      {"HtPhasor", {}, 22},
  };
  for (const auto& c : cases) {
    auto plain = create_indicator(c.name, c.params);
    auto gappy = create_indicator(c.name, c.params);
    ASSERT_TRUE(plain.has_value() && gappy.has_value()) << c.name;
    EXPECT_EQ((*plain)->warmup_period(), c.warmup) << c.name;
    for (int i = 1; i <= 130; ++i) {
      // The second copy sees non-finite closes in between, early and late: they yield nothing and
      // leave the state as it was.
      if (i == 2 || i == 70) {
        for (double bad : {NaN, Inf, -Inf}) {
          EXPECT_FALSE((*gappy)->update(bar(bad)).has_value()) << c.name << " bar " << i;
        }
      }
      const auto a = (*plain)->update(bar(wave(i)));
      const auto b = (*gappy)->update(bar(wave(i)));
      EXPECT_EQ(a.has_value(), static_cast<std::uint64_t>(i) >= c.warmup) << c.name << " bar " << i;
      EXPECT_EQ(a, b) << c.name << " bar " << i;
      if (a) {
        EXPECT_TRUE(std::isfinite(*a)) << c.name << " bar " << i;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Simple filters

TEST(Cycles, SuperSmootherPassesTheFirstTwoClosesThenRecurses) {
  const SsCoef k = ss_coef(10.0);
  // The fixed roofing filter (lp 10, hp 48) comes out with its known coefficients.
  cycles::SuperSmootherStage stage(v(10.0));
  EXPECT_EQ(stage.c1(), 0.2531948016118099);
  EXPECT_EQ(stage.c2(), 1.1580458998309644);
  EXPECT_EQ(stage.c3(), -0.4112407014427743);
  EXPECT_EQ(cycles::OnePoleHighpass(48).alpha(), 0.1230235370072432);

  SuperSmoother ss(10);
  const auto out = run(ss, {10, 12, 11, 15});
  const double f3 = (k.c1 * midpoint(11.0, 12.0) + k.c2 * 12.0) + k.c3 * 10.0;
  const double f4 = (k.c1 * midpoint(15.0, 11.0) + k.c2 * f3) + k.c3 * 12.0;
  EXPECT_EQ(out, (Outs{10.0, 12.0, f3, f4}));
}

TEST(Cycles, HighpassBandpassAndDecyclersHandChecked) {
  const double xs[] = {10, 12, 11, 15, 14};
  // Two-pole high-pass of period 20: 0 until two previous closes exist.
  const double theta = v(4.442212012175967) / 20.0;
  const double a = (std::cos(theta) + std::sin(theta) - 1.0) / std::cos(theta);
  const double q = 1.0 - a / 2.0;
  const double k1 = q * q, k2 = 2.0 * (1.0 - a), k3 = (1.0 - a) * (1.0 - a);
  std::vector<double> hp = {0.0, 0.0};
  for (int i = 2; i < 5; ++i) {
    const double h1 = hp[i - 1], h2 = hp[i - 2];
    hp.push_back((k1 * ((xs[i] - 2.0 * xs[i - 1]) + xs[i - 2]) + k2 * h1) - k3 * h2);
  }
  // A slower one for the oscillator.
  const double theta30 = v(4.442212012175967) / 30.0;
  const double a30 = (std::cos(theta30) + std::sin(theta30) - 1.0) / std::cos(theta30);
  const double q30 = 1.0 - a30 / 2.0;
  std::vector<double> hp30 = {0.0, 0.0};
  for (int i = 2; i < 5; ++i) {
    hp30.push_back((q30 * q30 * ((xs[i] - 2.0 * xs[i - 1]) + xs[i - 2]) + 2.0 * (1.0 - a30) * hp30[i - 1]) -
                   (1.0 - a30) * (1.0 - a30) * hp30[i - 2]);
  }
  // Band-pass of period 20, bandwidth 0.3.
  const double beta = std::cos(v(6.283185307179586) / 20.0);
  const double gamma = 1.0 / std::cos(v(12.566370614359172) * 0.3 / 20.0);
  const double alpha = gamma - std::sqrt(gamma * gamma - 1.0);
  std::vector<double> bp = {0.0, 0.0};
  for (int i = 2; i < 5; ++i) {
    bp.push_back((0.5 * (1.0 - alpha) * (xs[i] - xs[i - 2]) + beta * (1.0 + alpha) * bp[i - 1]) - alpha * bp[i - 2]);
  }
  HighpassFilter h(20);
  BandpassFilter b(20, 0.3);
  Decycler d(20);
  DecyclerOscillator o(20, 30);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(h.update(xs[i]), hp[i]) << i;
    EXPECT_EQ(b.update(xs[i]), bp[i]) << i;
    EXPECT_EQ(d.update(xs[i]), xs[i] - hp[i]) << i;
    EXPECT_EQ(o.update(xs[i]), hp30[i] - hp[i]) << i;
  }
  EXPECT_NE(hp[4], 0.0);
  EXPECT_NE(bp[4], 0.0);
}

TEST(Cycles, RoofingFilterIsTheOnePoleHighpassIntoTheSmoother) {
  const double t = v(6.283185307179586) / 48.0;
  const double a = (std::cos(t) + std::sin(t) - 1.0) / std::cos(t);
  const SsCoef k = ss_coef(10.0);
  const double hp2 = (1.0 - a / 2.0) * (12.0 - 10.0) + (1.0 - a) * 0.0;
  const double hp3 = (1.0 - a / 2.0) * (11.0 - 12.0) + (1.0 - a) * hp2;
  const double hp4 = (1.0 - a / 2.0) * (15.0 - 11.0) + (1.0 - a) * hp3;
  const double f3 = (k.c1 * midpoint(hp3, hp2) + k.c2 * hp2) + k.c3 * 0.0;
  const double f4 = (k.c1 * midpoint(hp4, hp3) + k.c2 * f3) + k.c3 * hp2;
  RoofingFilter r(10, 48);
  EXPECT_EQ(run(r, {10, 12, 11, 15}), (Outs{0.0, hp2, f3, f4}));
}

TEST(Cycles, ConstantPriceSettlesTheFiltersToZero) {
  HighpassFilter h(20);
  BandpassFilter b(20, 0.3);
  RoofingFilter r(10, 48);
  Decycler d(20);
  DecyclerOscillator o(10, 30);
  CorrelationTrendIndicator cti(10);
  CenterOfGravity cog(10);
  AdaptiveLaguerreFilter alf(5);
  EvenBetterSinewave ebs(40, 10);
  Reflex rf(6);      // on zeros: the mean square stays 0
  Trendflex tf(6);
  EhlersStochastic es(5);
  AutocorrelationPeriodogram ap(8, 20);
  EmpiricalModeDecomposition emd(5, 0.5);
  const double c = 123.25;
  for (int i = 0; i < 80; ++i) {
    EXPECT_EQ(h.update(c), 0.0);
    EXPECT_EQ(b.update(c), 0.0);
    EXPECT_EQ(r.update(c), 0.0);
    EXPECT_EQ(d.update(c), c);
    EXPECT_EQ(o.update(c), 0.0);
    // The guards: zero power, zero mean square, zero range, no qualifying period.
    if (auto y = ebs.update(c)) { EXPECT_EQ(*y, 0.0); }
    if (auto y = rf.update(0.0)) { EXPECT_EQ(*y, 0.0); }
    if (auto y = tf.update(0.0)) { EXPECT_EQ(*y, 0.0); }
    if (auto y = es.update(c)) { EXPECT_EQ(*y, 0.0); }
    if (auto y = ap.update(c)) { EXPECT_EQ(*y, 8.0); }
    if (auto y = emd.update(c)) { EXPECT_EQ(*y, 0.0); }
    if (auto y = cti.update(c)) { EXPECT_EQ(*y, 0.0); }
    if (auto y = cog.update(c)) { EXPECT_EQ(*y, 0.0); }
    // alpha stays 1: the filter answers the price.
    if (auto y = alf.update(c)) { EXPECT_EQ(*y, c); }
  }
}

// ---------------------------------------------------------------------------------------------------
// Adaptive Laguerre, trendline, cyber cycle

TEST(Cycles, AdaptiveLaguerreFilterHandChecked) {
  AdaptiveLaguerreFilter f(2);
  const auto out = run(f, {10, 12, 11});
  // Bar 1: stages at 10, alpha 1. Bar 2: error 2 normalises to 1, alpha = 1, so each stage takes the
  // previous value of the one before it.
  const double out2 = (12.0 + 2.0 * 10.0 + 2.0 * 10.0 + 10.0) / 6.0;
  // Bar 3: errors {2, e}: e is the lowest, normalised to 0; the buffer {1, 0} has median 0.5.
  const double al = midpoint(0.0, 1.0), d = 1.0 - al;
  const double l0 = al * 11.0 + d * 12.0;
  const double l1 = -d * l0 + 12.0 + d * 10.0;
  const double l2 = -d * l1 + 10.0 + d * 10.0;
  const double l3 = -d * l2 + 10.0 + d * 10.0;
  EXPECT_EQ(out, (Outs{std::nullopt, out2, (l0 + 2.0 * l1 + 2.0 * l2 + l3) / 6.0}));
}

TEST(Cycles, InstantaneousTrendlineAndCyberCycleHandChecked) {
  const std::vector<double> xs = {10, 12, 11, 15, 14, 13, 16, 18};
  const double alpha = 2.0 / (v(20.0) + 1.0);
  const double a2 = alpha * alpha;
  // Trendline: the 4-tap average with missing closes replaced by x for six closes, then the recursion.
  std::vector<double> it;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const double x = xs[i];
    if (i < 6) {
      const double x1 = i >= 1 ? xs[i - 1] : x, x2 = i >= 2 ? xs[i - 2] : x;
      it.push_back((x + 2.0 * x1 + x2) / 4.0);
    } else {
      it.push_back((alpha - a2 / 4.0) * x + 0.5 * a2 * xs[i - 1] - (alpha - 0.75 * a2) * xs[i - 2] +
                   2.0 * (1.0 - alpha) * it[i - 1] - (1.0 - alpha) * (1.0 - alpha) * it[i - 2]);
    }
  }
  EXPECT_EQ(it[0], 10.0);
  EXPECT_EQ(it[1], (12.0 + 20.0 + 12.0) / 4.0);  // the missing close two back is x
  InstantaneousTrendline trend(20);
  const auto got = run(trend, xs);
  for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_EQ(got[i], it[i]) << i;

  // Cyber cycle of period 10: the raw second difference for two closes, then the recursion on the
  // smoothed closes (the close itself until three earlier closes exist).
  const double ca = 2.0 / (v(10.0) + 1.0);
  const double h = 1.0 - ca / 2.0;
  std::vector<double> sm, cy;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const double x = xs[i];
    sm.push_back(i >= 3 ? (x + 2.0 * xs[i - 1] + 2.0 * xs[i - 2] + xs[i - 3]) / 6.0 : x);
    if (i < 2) {
      const double x1 = i >= 1 ? xs[i - 1] : x;
      cy.push_back((x - 2.0 * x1 + x) / 4.0);
    } else {
      cy.push_back(h * h * (sm[i] - 2.0 * sm[i - 1] + sm[i - 2]) + 2.0 * (1.0 - ca) * cy[i - 1] -
                   (1.0 - ca) * (1.0 - ca) * cy[i - 2]);
    }
  }
  EXPECT_EQ(cy[0], 0.0);
  EXPECT_EQ(cy[1], (12.0 - 20.0 + 12.0) / 4.0);
  CyberneticCycle cc(10);
  const auto got_cc = run(cc, xs);
  for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_EQ(got_cc[i], cy[i]) << i;
}

// ---------------------------------------------------------------------------------------------------
// Oscillators

TEST(Cycles, EvenBetterSinewaveHandChecked) {
  const double t = v(6.283185307179586) / 40.0;
  const double a = (1.0 - std::sin(t)) / std::cos(t);
  const SsCoef k = ss_coef(10.0);
  const double hp2 = 0.5 * (1.0 + a) * (12.0 - 10.0) + a * 0.0;
  const double hp3 = 0.5 * (1.0 + a) * (11.0 - 12.0) + a * hp2;
  const double f1 = 0.0, f2 = hp2;
  const double f3 = (k.c1 * midpoint(hp3, hp2) + k.c2 * f2) + k.c3 * f1;
  const double wave3 = (f3 + f2 + f1) / 3.0;
  const double power = (f3 * f3 + f2 * f2 + f1 * f1) / 3.0;
  EvenBetterSinewave e(40, 10);
  EXPECT_EQ(run(e, {10, 12, 11}), (Outs{std::nullopt, std::nullopt, std::clamp(wave3 / std::sqrt(power), -1.0, 1.0)}));
}

TEST(Cycles, ReflexAndTrendflexHandChecked) {
  // Period 2: the smoother runs at period 1 on the closes, three values are kept.
  const SsCoef k = ss_coef(v(2.0) * 0.5);
  const double f1 = 1.0, f2 = 2.0;
  const double f3 = (k.c1 * midpoint(4.0, 2.0) + k.c2 * f2) + k.c3 * f1;
  const double f4 = (k.c1 * midpoint(3.0, 4.0) + k.c2 * f3) + k.c3 * f2;
  // Trendflex: the mean of the newest value's rise over each older value, added oldest first.
  const double t3 = (f3 - f1) / 2.0 + (f3 - f2) / 2.0;
  const double tms3 = 0.96 * 0.0 + 0.04 * (t3 * t3);
  const double t4 = (f4 - f2) / 2.0 + (f4 - f3) / 2.0;
  const double tms4 = 0.96 * tms3 + 0.04 * (t4 * t4);
  Trendflex tf(2);
  EXPECT_EQ(run(tf, {1, 2, 4, 3}), (Outs{std::nullopt, std::nullopt, t3 / std::sqrt(tms3), t4 / std::sqrt(tms4)}));
  // Reflex: deviation from the line through the oldest and newest value.
  const double s3 = (f1 - f3) / 2.0;
  const double r3 = (f3 + s3 * 2.0 - f1) / 2.0 + (f3 + s3 * 1.0 - f2) / 2.0;
  const double rms3 = 0.04 * (r3 * r3);
  const double s4 = (f2 - f4) / 2.0;
  const double r4 = (f4 + s4 * 2.0 - f2) / 2.0 + (f4 + s4 * 1.0 - f3) / 2.0;
  const double rms4 = 0.96 * rms3 + 0.04 * (r4 * r4);
  Reflex rf(2);
  EXPECT_EQ(run(rf, {1, 2, 4, 3}), (Outs{std::nullopt, std::nullopt, r3 / std::sqrt(rms3), r4 / std::sqrt(rms4)}));
}

TEST(Cycles, CenterOfGravityHandCheckedAndGuarded) {
  CenterOfGravity cog(3);
  // 1, 2, 3: weights 3, 2, 1 oldest first: (3 + 4 + 3) / 6.
  EXPECT_EQ(run(cog, {1, 2, 3}), (Outs{std::nullopt, std::nullopt, 4.0 / 2.0 - 10.0 / 6.0}));
  // A window that sums to zero answers 0.
  CenterOfGravity z(3);
  EXPECT_EQ(run(z, {1, -1, 0}).back(), 0.0);
  CenterOfGravity tiny(2);
  EXPECT_EQ(run(tiny, {EPS, -EPS / 2.0}).back(), 0.0);
}

TEST(Cycles, FisherTransformHandCheckedAndDecays) {
  FisherTransform f(3);
  const auto out = run(f, {1, 2, 3, 3});
  const double v3 = std::fma(0.33, 2.0 * (3.0 - 1.0) / (3.0 - 1.0) - 1.0, 0.67 * 0.0);
  const double fish3 = 0.5 * std::log((1.0 + v3) / (1.0 - v3)) + 0.5 * 0.0;
  const double v4 = std::fma(0.33, 2.0 * (3.0 - 2.0) / (3.0 - 2.0) - 1.0, 0.67 * v3);
  const double fish4 = 0.5 * std::log((1.0 + v4) / (1.0 - v4)) + 0.5 * fish3;
  EXPECT_EQ(out, (Outs{std::nullopt, std::nullopt, fish3, fish4}));

  // A long rise saturates v at the clamp; a flat stretch afterwards decays towards 0.
  FisherTransform g(3);
  double fish = 0.0;
  double vv = 0.0;
  for (int i = 1; i <= 40; ++i) {
    const auto y = g.update(static_cast<double>(i));
    if (i < 3) continue;
    vv = std::clamp(std::fma(0.33, 1.0, 0.67 * vv), -0.999, 0.999);
    fish = 0.5 * std::log((1.0 + vv) / (1.0 - vv)) + 0.5 * fish;
    EXPECT_EQ(y, fish) << i;
  }
  EXPECT_EQ(vv, 0.999);
  g.update(40.0);  // the window still spans 39..40: v stays at the clamp
  double last = *g.update(40.0);
  for (int i = 0; i < 200; ++i) {
    const double y = *g.update(40.0);
    EXPECT_LT(std::fabs(y), std::fabs(last));
    last = y;
  }
  EXPECT_LT(std::fabs(last), 1e-6);
}

TEST(Cycles, InverseFisherTransformIsTanhOfTheScaledClose) {
  InverseFisherTransform t(0.5);
  for (double x : {-3.0, 0.0, 0.7, 2.0, 1e308}) EXPECT_EQ(t.update(x), std::tanh(x * v(0.5))) << x;
  EXPECT_EQ(t.update(NaN), std::nullopt);
}

TEST(Cycles, UniversalOscillatorHandCheckedGuardedAndRepeatsOnOverflow) {
  const SsCoef k = ss_coef(20.0);
  UniversalOscillator u(20);
  // The first white-noise value is 0: the peak is 0 and the answer is 0.
  const auto out = run(u, {10, 12, 10, 15, 11});
  const double w4 = (15.0 - 12.0) / 2.0;  // the smoother passes its first two inputs (0, w4)
  const double peak4 = std::max(0.991 * 0.0, std::fabs(w4));
  const double w5 = (11.0 - 10.0) / 2.0;
  const double f5 = (k.c1 * midpoint(w5, w4) + k.c2 * w4) + k.c3 * 0.0;
  const double peak5 = std::max(0.991 * peak4, std::fabs(f5));
  EXPECT_EQ(out, (Outs{std::nullopt, std::nullopt, 0.0, w4 / peak4, std::clamp(f5 / peak5, -1.0, 1.0)}));

  UniversalOscillator o(10);
  const auto big = run(o, {0.0, 0.0, 1e308, 5.0, -1e308, 3.0});
  ASSERT_TRUE(big[3].has_value());
  EXPECT_EQ(big[4], big[3]);  // (-1e308 - 1e308) / 2 overflows: the previous answer again
  EXPECT_TRUE(big[5].has_value());
  UniversalOscillator first(10);  // an overflow before any answer: still nothing
  EXPECT_EQ(run(first, {-1e308, 0.0, 1e308}).back(), std::nullopt);
}

TEST(Cycles, EhlersStochasticAveragesWithThePreviousRaw) {
  const std::vector<double> xs = {10, 12, 11, 15, 14, 9};
  RoofingFilter roof(10, 48);
  std::vector<double> f;
  for (double x : xs) f.push_back(*roof.update(x));
  auto raw = [&](std::size_t i) {
    const double hi = std::max({f[i - 2], f[i - 1], f[i]});
    const double lo = std::min({f[i - 2], f[i - 1], f[i]});
    return 2.0 * (f[i] - lo) / (hi - lo) - 1.0;
  };
  EhlersStochastic es(3);
  const auto out = run(es, xs);
  EXPECT_EQ(out[1], std::nullopt);
  EXPECT_EQ(out[2], raw(2));
  EXPECT_EQ(out[3], midpoint(raw(3), raw(2)));
  EXPECT_EQ(out[5], midpoint(raw(5), raw(4)));
  // A one-value window never has a range: 0.
  EhlersStochastic one(1);
  for (double x : xs) EXPECT_EQ(one.update(x), 0.0);
}

TEST(Cycles, CorrelationTrendIndicator) {
  struct Case {
    std::uint64_t n;
    std::vector<double> xs;
    double expected;  // the answer at the last close
  };
  const Case cases[] = {
      {5, {1, 2, 3, 4, 5}, 1.0},         // a steadily rising price
      {4, {9, 7, 5, 3}, -1.0},           // a steadily falling one
      {3, {1, 3, 2}, 3.0 / 6.0},         // h = -1, 1, 0: 3 * 1 / sqrt(6 * 6)
      {4, {7, 7, 7, 7}, 0.0},            // flat: the denominator is 0
      {2, {5, 1}, -1.0},
  };
  for (const auto& c : cases) {
    CorrelationTrendIndicator cti(c.n);
    const auto out = run(cti, c.xs);
    EXPECT_EQ(out.back(), c.expected) << c.n;
    EXPECT_FALSE(out[c.n - 2].has_value());
  }
  // A longer rise keeps answering 1 (clamped), including once the window slides.
  CorrelationTrendIndicator r(20);
  for (int i = 0; i < 60; ++i) {
    const auto y = r.update(100.0 + 0.5 * i);
    if (i >= 19) { EXPECT_NEAR(*y, 1.0, 1e-15); }
  }
}

TEST(Cycles, AutocorrelationPeriodogramFindsTheCycleLength) {
  for (double period : {14.0, 22.0}) {
    AutocorrelationPeriodogram ap(8, 48);
    std::optional<double> y;
    for (int i = 0; i < 400; ++i) {
      y = ap.update(100.0 + 5.0 * std::sin(v(6.283185307179586) * i / period));
      if (i < 50) { EXPECT_FALSE(y.has_value()); }
      if (i == 50) { EXPECT_TRUE(y.has_value()); }
    }
    ASSERT_TRUE(y.has_value());
    EXPECT_NEAR(*y, period, 2.0);
    EXPECT_GE(*y, 8.0);
    EXPECT_LE(*y, 48.0);
  }
  // Above 65536 table entries the weights are computed on the fly, with the same results.
  AutocorrelationPeriodogram wide(4, 260);  // 257 periods x 258 lags
  std::optional<double> y;
  for (int i = 0; i < 270; ++i) y = wide.update(100.0 + 5.0 * std::sin(v(6.283185307179586) * i / 18.0));
  ASSERT_TRUE(y.has_value());
  EXPECT_GE(*y, 4.0);
  EXPECT_LE(*y, 260.0);
}

TEST(Cycles, EmpiricalModeDecompositionIsTheMeanBandpass) {
  // 2P = 50: the first answer is the plain mean of the first 50 band-pass values.
  EXPECT_EQ(v(12.566370614359172) * v(0.1), 1.2566370614359172);
  EmpiricalModeDecomposition emd(25, 0.5);
  BandpassFilter bp(25, 0.1);
  double sum = 0.0;
  for (int i = 1; i <= 50; ++i) {
    const double b = *bp.update(wave(i));
    sum = b + sum;
    const auto y = emd.update(wave(i));
    EXPECT_EQ(y.has_value(), i == 50) << i;
    if (y) { EXPECT_EQ(*y, sum / 50.0); }
  }
  // With a short period the 50-value extrema windows decide the warm-up.
  EmpiricalModeDecomposition short_one(3, 1.0);
  EXPECT_EQ(short_one.warmup_period(), 50u);
}

// ---------------------------------------------------------------------------------------------------
// The Hilbert-transform members

/// A direct transcription of the Hilbert-transform measurement, with newest-first deques.
struct HilbertReference {
  std::deque<double> price, raw50, sm, det, i1, q1;
  double i2 = 0, q2 = 0, re = 0, im = 0, period = 0, sp = 0;
  int count = 0;
  // Trend-mode state.
  double prev_sine = 0, prev_lead = 0, prev_phase = 0, t1 = 0, t2 = 0, t3 = 0;
  int days = 0;
  double phase = 0, trend = 0;

  static void push(std::deque<double>& d, double x, std::size_t cap) {
    d.push_front(x);
    if (d.size() > cap) d.pop_back();
  }
  static double hil(const std::deque<double>& h) {
    return 0.0962 * h[0] + 0.5769 * h[2] - 0.5769 * h[4] - 0.0962 * h[6];
  }
  bool update(double x) {
    ++count;
    push(price, x, 4);
    push(raw50, x, 50);
    if (price.size() < 4) return false;
    const double s = (4 * x + 3 * price[1] + 2 * price[2] + price[3]) / 10;
    push(sm, s, 50);
    if (sm.size() >= 7) {
      const double adj = 0.075 * std::clamp(period, 6.0, 50.0) + 0.54;
      push(det, hil(sm) * adj, 7);
      if (det.size() == 7) {
        push(i1, det[3], 7);
        push(q1, hil(det) * adj, 7);
        if (i1.size() == 7) {
          const double ji = hil(i1) * adj, jq = hil(q1) * adj;
          const double pi2 = i2, pq2 = q2;
          i2 = 0.2 * (i1[0] - jq) + 0.8 * pi2;
          q2 = 0.2 * (q1[0] + ji) + 0.8 * pq2;
          re = 0.2 * (i2 * pi2 + q2 * pq2) + 0.8 * re;
          im = 0.2 * (i2 * pq2 - q2 * pi2) + 0.8 * im;
        }
      }
    }
    double c = period;
    if (std::fabs(re) > EPS && std::fabs(im) > EPS) c = v(6.283185307179586) / std::atan2(im, re);
    c = std::min(c, 1.5 * period);
    c = std::max(c, 0.67 * period);
    c = std::clamp(c, 6.0, 50.0);
    period = 0.2 * c + 0.8 * period;
    sp = 0.33 * period + 0.67 * sp;
    // Phase.
    int k = static_cast<int>(std::floor(sp + 0.5));
    k = std::max(1, std::min({k, static_cast<int>(sm.size()), 50}));
    double real = 0, imag = 0;
    for (int j = k - 1; j >= 0; --j) {
      real += std::sin(v(6.283185307179586) * j / k) * sm[j];
      imag += std::cos(v(6.283185307179586) * j / k) * sm[j];
    }
    phase = std::fabs(imag) > 0.001 ? std::atan(real / imag) * 57.29577951308232 + 90 : (real < 0 ? 0 : 180);
    phase += 360 / sp;
    if (imag < 0) phase += 180;
    if (phase > 315) phase -= 360;
    // Trend mode.
    const double sine = std::sin(phase * 0.017453292519943295);
    const double lead = std::sin((phase + 45) * 0.017453292519943295);
    trend = 1;
    if ((lead < sine && prev_lead >= prev_sine) || (lead > sine && prev_lead <= prev_sine)) {
      days = 0;
      trend = 0;
    }
    ++days;
    if (days < 0.5 * sp) trend = 0;
    const double dp = phase - prev_phase;
    if (241.20000000000002 / sp < dp && dp < 540 / sp) trend = 0;
    double tsum = 0;
    for (int j = k - 1; j >= 0; --j) tsum += raw50[j];
    const double t0 = tsum / k;
    const double line = (4 * t0 + 3 * t1 + 2 * t2 + t3) / 10;
    if (line != 0 && std::fabs((s - line) / line) >= 0.015) trend = 1;
    t3 = t2;
    t2 = t1;
    t1 = t0;
    prev_sine = sine;
    prev_lead = lead;
    prev_phase = phase;
    return true;
  }
};

TEST(Cycles, HilbertMembersFollowTheMeasurement) {
  // A wavy series, then a steep exponential rise (trend mode), then a flat stretch.
  std::vector<double> xs;
  for (int i = 1; i <= 160; ++i) xs.push_back(wave(i));
  for (int i = 1; i <= 80; ++i) xs.push_back(xs.back() * 1.01);
  for (int i = 1; i <= 40; ++i) xs.push_back(xs.back());

  HilbertReference ref;
  HtDcPhase phase;
  HilbertDominantCycle cycle;
  SineWave sine;
  HtTrendMode trend;
  AdaptiveCycle adaptive;
  auto phasor = create_indicator("HtPhasor", {});
  ASSERT_TRUE(phasor.has_value());
  int trend_bars = 0;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const std::size_t bar_no = i + 1;
    ref.update(xs[i]);
    const auto p = phase.update(xs[i]);
    const auto c = cycle.update(xs[i]);
    const auto s = sine.update(xs[i]);
    const auto t = trend.update(xs[i]);
    const auto a = adaptive.update(xs[i]);
    const auto ph = (*phasor)->update(bar(xs[i]));
    if (bar_no < 50) {
      EXPECT_FALSE(p || c || s || t || a) << bar_no;
    } else {
      ASSERT_TRUE(p && c && s && t && a) << bar_no;
      EXPECT_EQ(*p, ref.phase) << bar_no;
      EXPECT_EQ(*c, ref.sp) << bar_no;
      EXPECT_EQ(*s, std::sin(ref.phase * 0.017453292519943295)) << bar_no;
      EXPECT_EQ(*t, ref.trend) << bar_no;
      EXPECT_EQ(*a, std::clamp(std::round(0.5 * ref.sp), 3.0, 25.0)) << bar_no;
      if (*t == 1.0 && bar_no > 200 && bar_no <= 240) ++trend_bars;
    }
    if (bar_no < 22) {
      EXPECT_FALSE(ph.has_value()) << bar_no;
      EXPECT_TRUE((*phasor)->extra_outputs().empty());
    } else {
      ASSERT_TRUE(ph.has_value()) << bar_no;
      const auto named = (*phasor)->extra_outputs();
      ASSERT_EQ(named.size(), 2u);
      EXPECT_EQ(named[0].name, "inphase");
      EXPECT_EQ(named[1].name, "quadrature");
      EXPECT_EQ(named[0].value, ref.i1[0]) << bar_no;
      EXPECT_EQ(named[1].value, ref.q1[0]) << bar_no;
      EXPECT_EQ(*ph, named[0].value);
    }
  }
  // The steep rise is read as a trend on most of its bars.
  EXPECT_GT(trend_bars, 30);
}

TEST(Cycles, HilbertPeriodOnAConstantPriceIsTheUnmeasuredRecursion) {
  // A flat price leaves Re and Im below 2^-52: from the 4th close on the period moves towards 6
  // without a measurement, period = 0.2 * 6 + 0.8 * period, and the smoothed period follows.
  HilbertDominantCycle cycle;
  AdaptiveCycle adaptive;
  double period = 0.0, sp = 0.0;
  for (int i = 1; i <= 60; ++i) {
    const auto c = cycle.update(100.0);
    const auto a = adaptive.update(100.0);
    if (i >= 4) {
      period = 0.2 * v(6.0) + 0.8 * period;
      sp = 0.33 * period + 0.67 * sp;
    }
    if (i >= 50) {
      EXPECT_EQ(c, sp) << i;
      EXPECT_EQ(a, std::clamp(std::round(0.5 * sp), 3.0, 25.0)) << i;
    }
  }
  EXPECT_EQ(adaptive.update(100.0), 3.0);
}

}  // namespace
}  // namespace sorvik

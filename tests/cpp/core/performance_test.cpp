// The rolling performance and risk ratios.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/performance/average_drawdown.hpp"
#include "indicators/performance/burke_ratio.hpp"
#include "indicators/performance/calmar_ratio.hpp"
#include "indicators/performance/common_sense_ratio.hpp"
#include "indicators/performance/conditional_value_at_risk.hpp"
#include "indicators/performance/expectancy.hpp"
#include "indicators/performance/gain_loss_ratio.hpp"
#include "indicators/performance/gain_to_pain_ratio.hpp"
#include "indicators/performance/information_ratio.hpp"
#include "indicators/performance/k_ratio.hpp"
#include "indicators/performance/kelly_criterion.hpp"
#include "indicators/performance/m2_measure.hpp"
#include "indicators/performance/martin_ratio.hpp"
#include "indicators/performance/max_drawdown.hpp"
#include "indicators/performance/omega_ratio.hpp"
#include "indicators/performance/pain_index.hpp"
#include "indicators/performance/profit_factor.hpp"
#include "indicators/performance/recovery_factor.hpp"
#include "indicators/performance/sharpe_ratio.hpp"
#include "indicators/performance/sortino_ratio.hpp"
#include "indicators/performance/sterling_ratio.hpp"
#include "indicators/performance/tail_ratio.hpp"
#include "indicators/performance/ulcer_index.hpp"
#include "indicators/performance/upside_potential_ratio.hpp"
#include "indicators/performance/value_at_risk.hpp"
#include "indicators/performance/win_rate.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Outs = std::vector<std::optional<double>>;

/// A deterministic series of small returns of both signs.
double ret(int i) { return 0.03 * std::sin(0.9 * i) + 0.01 * std::cos(2.3 * i); }

/// The returns window most value checks use, after one return that has left the window by the
/// time it is checked (period 5): gains 0.10, 0.05, 0.30; losses 0.20, 0.05; Σr = 0.2, mean 0.04.
const std::vector<double> ROLLED = {0.7, 0.10, -0.20, 0.05, 0.30, -0.05};

// ---------------------------------------------------------------------------------------------------
// Construction

TEST(Performance, ConstructorChecksInOrder) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;  // nullptr: builds
  };
  const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string zero = "period must be greater than zero";
  const std::string conf = "invalid period: confidence must lie strictly between 0 and 1";
  const std::string m2 = "invalid parameter: risk_free must be finite and benchmark_stddev finite and non-negative";
  const Case cases[] = {
      // zero, then MAX_PERIOD
      {"OmegaRatio", {TINY, 0}, zero.c_str()},
      {"OmegaRatio", {16777217, 0}, max.c_str()},
      {"OmegaRatio", {1, -3}, nullptr},
      {"GainLossRatio", {TINY}, zero.c_str()},
      {"GainLossRatio", {16777217}, max.c_str()},
      {"GainToPainRatio", {TINY}, zero.c_str()},
      {"GainToPainRatio", {16777217}, max.c_str()},
      {"ProfitFactor", {TINY}, zero.c_str()},
      {"ProfitFactor", {16777217}, max.c_str()},
      {"WinRate", {TINY}, zero.c_str()},
      {"WinRate", {16777217}, max.c_str()},
      {"Expectancy", {TINY}, zero.c_str()},
      {"Expectancy", {16777217}, max.c_str()},
      {"Expectancy", {16777216}, nullptr},
      {"KellyCriterion", {TINY}, zero.c_str()},
      {"KellyCriterion", {16777217}, max.c_str()},
      {"MaxDrawdown", {TINY}, zero.c_str()},
      {"MaxDrawdown", {16777217}, max.c_str()},
      {"MaxDrawdown", {1}, nullptr},
      {"AverageDrawdown", {TINY}, zero.c_str()},
      {"AverageDrawdown", {16777217}, max.c_str()},
      {"PainIndex", {TINY}, zero.c_str()},
      {"PainIndex", {16777217}, max.c_str()},
      {"UlcerIndex", {TINY}, zero.c_str()},
      {"UlcerIndex", {16777217}, max.c_str()},
      {"UlcerIndex", {16777216}, nullptr},
      // a minimum length with its own message (a zero gives that message too), then MAX_PERIOD
      {"SharpeRatio", {1, 0}, "invalid period: sharpe ratio needs period >= 2"},
      {"SharpeRatio", {TINY, 0}, "invalid period: sharpe ratio needs period >= 2"},
      {"SharpeRatio", {16777217, 0}, max.c_str()},
      {"SharpeRatio", {2, 0}, nullptr},
      {"SortinoRatio", {1, 0}, "invalid period: sortino ratio needs period >= 2"},
      {"SortinoRatio", {16777217, 0}, max.c_str()},
      {"CalmarRatio", {1}, "invalid period: calmar ratio needs period >= 2"},
      {"CalmarRatio", {16777217}, max.c_str()},
      {"CalmarRatio", {16777216}, nullptr},
      {"SterlingRatio", {1}, "invalid period: sterling ratio needs period >= 2"},
      {"SterlingRatio", {16777217}, max.c_str()},
      {"BurkeRatio", {1}, "invalid period: burke ratio needs period >= 2"},
      {"BurkeRatio", {16777217}, max.c_str()},
      {"MartinRatio", {1}, "invalid period: martin ratio needs period >= 2"},
      {"MartinRatio", {16777217}, max.c_str()},
      {"InformationRatio", {1}, "invalid period: information ratio needs period >= 2"},
      {"InformationRatio", {16777217}, max.c_str()},
      {"KRatio", {2}, "invalid period: k-ratio needs period >= 3"},
      {"KRatio", {16777217}, max.c_str()},
      {"KRatio", {3}, nullptr},
      {"TailRatio", {1}, "invalid period: tail ratio needs period >= 2"},
      {"TailRatio", {16777217}, max.c_str()},
      {"CommonSenseRatio", {1}, "invalid period: common sense ratio needs period >= 2"},
      {"CommonSenseRatio", {16777217}, max.c_str()},
      {"CommonSenseRatio", {2}, nullptr},
      // the minimum length, the parameter, then the bound every window length has
      {"UpsidePotentialRatio", {1, 0}, "invalid period: upside potential ratio needs period >= 2"},
      {"UpsidePotentialRatio", {16777217, 0}, max.c_str()},
      {"UpsidePotentialRatio", {2, -1}, nullptr},
      {"M2Measure", {1, 0, -1}, "invalid period: m2 measure needs period >= 2"},
      {"M2Measure", {2, 0, -1}, m2.c_str()},
      {"M2Measure", {16777217, 0, -1}, m2.c_str()},
      {"M2Measure", {16777217, 0, 1}, max.c_str()},
      {"M2Measure", {2, -0.5, -0.0}, nullptr},
      {"ValueAtRisk", {1, 2}, "invalid period: value-at-risk needs period >= 2"},
      {"ValueAtRisk", {5, 1}, conf.c_str()},
      {"ValueAtRisk", {5, 0}, conf.c_str()},
      {"ValueAtRisk", {5, -0.5}, conf.c_str()},
      {"ValueAtRisk", {16777217, 1}, conf.c_str()},
      {"ValueAtRisk", {16777217, 0.95}, max.c_str()},
      {"ValueAtRisk", {2, 0.999}, nullptr},
      {"ConditionalValueAtRisk", {1, 2}, "invalid period: conditional value-at-risk needs period >= 2"},
      {"ConditionalValueAtRisk", {5, 1}, conf.c_str()},
      {"ConditionalValueAtRisk", {5, 0}, conf.c_str()},
      {"ConditionalValueAtRisk", {16777217, 0}, conf.c_str()},
      {"ConditionalValueAtRisk", {16777217, 0.5}, max.c_str()},
      {"ConditionalValueAtRisk", {2, 0.001}, nullptr},
      // no parameters
      {"RecoveryFactor", {}, nullptr},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text == nullptr) {
      EXPECT_TRUE(made.has_value()) << c.name << ": " << made.error().display();
    } else {
      ASSERT_FALSE(made.has_value()) << c.name;
      EXPECT_EQ(made.error().display(), std::string("invalid parameters for indicator ") + c.name + ": " + c.text);
    }
  }
  // What the factory cannot hand over as such: zeros and non-finite reals.
  EXPECT_EQ(OmegaRatio::create(0, NaN).error(), IndicatorError::zero_period());
  EXPECT_EQ(WinRate::create(0).error(), IndicatorError::zero_period());
  EXPECT_EQ(SharpeRatio::create(0, 0.0).error().display(), "invalid period: sharpe ratio needs period >= 2");
  EXPECT_EQ(UpsidePotentialRatio::create(2, NaN).error().display(), "invalid parameter: mar must be finite");
  EXPECT_EQ(UpsidePotentialRatio::create(16777217, Inf).error().display(), "invalid parameter: mar must be finite");
  EXPECT_EQ(M2Measure::create(2, Inf, 1.0).error().display(), m2);
  EXPECT_EQ(M2Measure::create(2, 0.0, Inf).error().display(), m2);
  EXPECT_EQ(M2Measure::create(2, 0.0, NaN).error().display(), m2);
  EXPECT_EQ(ValueAtRisk::create(5, NaN).error().display(), conf);
  EXPECT_EQ(ConditionalValueAtRisk::create(5, NaN).error().display(), conf);
}

// Every member yields first at its warm-up bar and on every valid bar after; a NaN or infinite close
// counts for nothing and changes nothing.
TEST(Performance, FirstValueAtWarmupAndNonFiniteInputsChangeNothing) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::uint64_t warmup;
  };
  const Case cases[] = {
      {"SharpeRatio", {4, 0.001}, 4},
      {"SortinoRatio", {4, 0}, 4},
      {"UpsidePotentialRatio", {4, 0}, 4},
      {"OmegaRatio", {4, 0}, 4},
      {"CalmarRatio", {4}, 4},
      {"SterlingRatio", {4}, 4},
      {"BurkeRatio", {4}, 4},
      {"MartinRatio", {4}, 4},
      {"InformationRatio", {4}, 4},
      {"M2Measure", {4, 0.001, 0.02}, 4},
      {"KRatio", {4}, 4},
      {"GainLossRatio", {4}, 4},
      {"GainToPainRatio", {4}, 4},
      {"ProfitFactor", {4}, 4},
      {"WinRate", {4}, 4},
      {"Expectancy", {4}, 4},
      {"KellyCriterion", {4}, 4},
      {"MaxDrawdown", {4}, 4},
      {"AverageDrawdown", {4}, 4},
      {"PainIndex", {4}, 4},
      {"UlcerIndex", {4}, 7},
      {"UlcerIndex", {1}, 1},
      {"RecoveryFactor", {}, 1},
      {"TailRatio", {4}, 4},
      {"CommonSenseRatio", {4}, 4},
      {"ValueAtRisk", {4, 0.9}, 4},
      {"ConditionalValueAtRisk", {4, 0.9}, 4},
  };
  // Returns for the ratios; levels (1 + r) for the drawdown members, which read equity levels.
  std::vector<double> clean;
  for (int i = 0; i < 40; ++i) clean.push_back(1.0 + ret(i));
  std::vector<double> dirty;
  for (std::size_t i = 0; i < clean.size(); ++i) {
    if (i == 1) dirty.push_back(NaN);
    if (i == 2) dirty.push_back(Inf);
    if (i == 9) dirty.push_back(-Inf);
    dirty.push_back(clean[i]);
  }
  for (const auto& c : cases) {
    for (const bool as_returns : {true, false}) {
      std::vector<double> xs = clean;
      std::vector<double> ys = dirty;
      if (as_returns) {
        for (double& x : xs) x = x - 1.0;
        for (double& y : ys) y = y - 1.0;
      }
      auto a = create_indicator(c.name, c.params);
      auto b = create_indicator(c.name, c.params);
      ASSERT_TRUE(a.has_value() && b.has_value()) << c.name;
      EXPECT_EQ((*a)->warmup_period(), c.warmup) << c.name;
      const Outs plain = run(**a, xs);
      Outs skipped;
      for (double y : ys) {
        const auto out = (*b)->update(bar(y));
        if (!std::isfinite(y)) {
          EXPECT_FALSE(out.has_value()) << c.name;
        } else {
          skipped.push_back(out);
        }
      }
      for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(plain[i].has_value(), i + 1 >= c.warmup) << c.name << " bar " << i + 1;
        ASSERT_EQ(plain[i].has_value(), skipped[i].has_value()) << c.name << " bar " << i + 1;
        if (plain[i]) {
          EXPECT_EQ(*plain[i], *skipped[i]) << c.name << " bar " << i + 1;
        }
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Moment ratios: the sample variance (divisor n - 1)

TEST(Performance, MomentRatiosUseTheSampleDeviation) {
  // Window 0.10, -0.20, 0.05, 0.30, -0.05 (0.7 has left it): mean 0.04; deviations 0.06, -0.24,
  // 0.01, 0.26, -0.09; Σd² = 0.137; sample variance 0.137 / 4 = 0.03425, deviation 0.1850676.
  auto sharpe = SharpeRatio(5, 0.01);
  const Outs s = run(sharpe, ROLLED);
  EXPECT_FALSE(s[3].has_value());
  ASSERT_TRUE(s[4].has_value());
  EXPECT_NEAR(*s[5], 0.03 / 0.18506755523321747, 1e-13);  // 0.16210297; divisor n would give 0.18124
  auto info = InformationRatio(5);
  EXPECT_NEAR(*last(info, ROLLED), 0.04 / 0.18506755523321747, 1e-13);  // 0.21613729
  // M² = (0.04 - 0.01) / 0.1850676 · 0.2 + 0.01 = 0.04242059
  auto m2 = M2Measure(5, 0.01, 0.2);
  EXPECT_NEAR(*last(m2, ROLLED), 0.042420593617497955, 1e-14);
}

TEST(Performance, MomentRatiosAnswerZeroOnAFlatWindow) {
  const std::vector<double> flat = {0.01, 0.01, 0.01, 0.01};
  auto sharpe = SharpeRatio(3, 0.0);
  auto info = InformationRatio(3);
  auto m2 = M2Measure(3, 0.005, 0.2);
  for (const auto& out : {run(sharpe, flat), run(info, flat), run(m2, flat)}) {
    EXPECT_EQ(out[2], 0.0);
    EXPECT_EQ(out[3], 0.0);
  }
}

// ---------------------------------------------------------------------------------------------------
// Downside ratios and threshold ratios

TEST(Performance, DownsideRatiosOnTheRolledWindow) {
  // Target 0: losses -0.20, -0.05 give dd² = (0.04 + 0.0025) / 5 = 0.0085.
  auto sortino = SortinoRatio(5, 0.0);
  EXPECT_NEAR(*last(sortino, ROLLED), 0.04 / std::sqrt(0.0085), 1e-13);  // 0.43386
  // Target 0.02: the returns below it are -0.20 and -0.05: ((-0.22)² + (-0.07)²) / 5 = 0.01066.
  auto sortino2 = SortinoRatio(5, 0.02);
  EXPECT_NEAR(*last(sortino2, ROLLED), 0.02 / std::sqrt(0.01066), 1e-13);  // 0.19371
  // Upside (0.10 + 0.05 + 0.30) / 5 = 0.09 over the same downside deviation.
  auto upr = UpsidePotentialRatio(5, 0.0);
  EXPECT_NEAR(*last(upr, ROLLED), 0.09 / std::sqrt(0.0085), 1e-13);  // 0.97619
  // Omega at 0.05: the 0.05 itself counts on neither side; G = 0.05 + 0.25, L = 0.25 + 0.10.
  auto omega = OmegaRatio(5, 0.05);
  EXPECT_NEAR(*last(omega, ROLLED), 0.30 / 0.35, 1e-13);
}

TEST(Performance, DownsideGuards) {
  struct Case {
    const char* what;
    std::optional<double> got;
    double want;
  };
  const std::vector<double> ups = {0.02, 0.02, 0.02};
  const std::vector<double> zeros = {0.0, 0.0, 0.0};
  auto sortino = SortinoRatio(3, 0.0);
  auto upr = UpsidePotentialRatio(3, 0.0);
  auto omega_up = OmegaRatio(3, 0.0);
  auto omega_zero = OmegaRatio(3, 0.0);
  auto omega_above = OmegaRatio(3, 0.05);
  const Case cases[] = {
      {"sortino without a return below target", last(sortino, ups), 0.0},
      {"upside potential without a return below target", last(upr, ups), 0.0},
      {"omega with gains and no losses", last(omega_up, ups), Inf},
      {"omega of zeros at threshold 0", last(omega_zero, zeros), 1.0},
      {"omega with losses only", last(omega_above, ups), 0.0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.got.has_value()) << c.what;
    EXPECT_EQ(*c.got, c.want) << c.what;
  }
}

// ---------------------------------------------------------------------------------------------------
// Win/loss statistics

TEST(Performance, WinLossStatisticsOnTheRolledWindow) {
  // Gains 0.10, 0.05, 0.30 (sum 0.45, mean 0.15); losses 0.20, 0.05 (sum 0.25, mean 0.125).
  auto pf = ProfitFactor(5);
  auto glr = GainLossRatio(5);
  auto gtp = GainToPainRatio(5);
  auto win = WinRate(5);
  auto exp = Expectancy(5);
  auto kelly = KellyCriterion(5);
  EXPECT_NEAR(*last(pf, ROLLED), 1.8, 1e-14);
  EXPECT_NEAR(*last(glr, ROLLED), 1.2, 1e-14);
  EXPECT_NEAR(*last(gtp, ROLLED), 0.8, 1e-14);  // Σr 0.2 over 0.25
  EXPECT_EQ(*last(win, ROLLED), 3.0 / 5.0);
  EXPECT_NEAR(*last(exp, ROLLED), 0.04, 1e-15);
  EXPECT_NEAR(*last(kelly, ROLLED), 0.6 - 0.4 / 1.2, 1e-14);  // 0.26667
  // The expectancy is the window summed oldest first from zero, divided by n.
  auto exp2 = Expectancy(5);
  EXPECT_EQ(*last(exp2, ROLLED), ((((0.0 + 0.10) + -0.20) + 0.05) + 0.30 + -0.05) / 5.0);
}

TEST(Performance, WinLossGuards) {
  struct Case {
    const char* what;
    std::optional<double> got;
    double want;
  };
  const std::vector<double> ups = {0.02, 0.02, 0.02};
  const std::vector<double> zeros = {0.0, 0.0, 0.0};
  const std::vector<double> downs = {-0.01, 0.0, -0.03};
  auto pf_up = ProfitFactor(3);
  auto pf_zero = ProfitFactor(3);
  auto pf_down = ProfitFactor(3);
  auto glr_up = GainLossRatio(3);
  auto glr_zero = GainLossRatio(3);
  auto glr_down = GainLossRatio(3);
  auto gtp_up = GainToPainRatio(3);
  auto gtp_down = GainToPainRatio(3);
  auto win_up = WinRate(3);
  auto win_zero = WinRate(3);
  auto kelly_up = KellyCriterion(3);
  auto kelly_zero = KellyCriterion(3);
  auto kelly_down = KellyCriterion(3);
  const Case cases[] = {
      {"profit factor without losses", last(pf_up, ups), Inf},
      {"profit factor of zeros", last(pf_zero, zeros), 1.0},
      {"profit factor without gains", last(pf_down, downs), 0.0},
      {"gain/loss without losses", last(glr_up, ups), Inf},
      {"gain/loss of zeros", last(glr_zero, zeros), 1.0},
      {"gain/loss without gains", last(glr_down, downs), 0.0},
      {"gain-to-pain without losses", last(gtp_up, ups), 0.0},
      {"gain-to-pain without gains", last(gtp_down, downs), -1.0},
      {"win rate of gains", last(win_up, ups), 1.0},
      {"win rate of zeros (0 is no win)", last(win_zero, zeros), 0.0},
      {"kelly without losses is the win share", last(kelly_up, ups), 1.0},
      {"kelly of zeros is the win share 0", last(kelly_zero, zeros), 0.0},
      {"kelly without wins", last(kelly_down, downs), -1.0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.got.has_value()) << c.what;
    EXPECT_EQ(*c.got, c.want) << c.what;
  }
}

// ---------------------------------------------------------------------------------------------------
// Drawdowns of equity levels

TEST(Performance, LevelDrawdownsOfTheDocumentedWindow) {
  // 200 leaves the window first: 200, 100, 80, 120 gives a maximum drawdown of 0.6; then
  // 100, 80, 120, 90 has drawdowns 0, 0.2, 0, 0.25 and episodes 0.2 (closed by 120) and 0.25 (open).
  const std::vector<double> levels = {200, 100, 80, 120, 90};
  auto mdd = MaxDrawdown(4);
  auto pain = PainIndex(4);
  auto avg = AverageDrawdown(4);
  const Outs m = run(mdd, levels);
  EXPECT_FALSE(m[2].has_value());
  EXPECT_EQ(m[3], 120.0 / 200.0);
  EXPECT_EQ(m[4], 0.25);
  const double d80 = (100.0 - 80.0) / 100.0;
  const double d90 = (120.0 - 90.0) / 120.0;
  const auto p = last(pain, levels);
  EXPECT_EQ(p, ((((0.0 + 0.0) + d80) + 0.0) + d90) / 4.0);
  EXPECT_NEAR(*p, 0.1125, 1e-15);
  const auto a = last(avg, levels);
  EXPECT_EQ(a, (d80 + d90) / 2.0);
  EXPECT_NEAR(*a, 0.225, 1e-15);
}

TEST(Performance, LevelDrawdownsSkipNonPositivePeaks) {
  // -1, -3: the peak is not above 0, so no drawdown and no counted episode; then 2, 1 draws down 0.5.
  const std::vector<double> levels = {-1, -3, 2, 1};
  auto mdd = MaxDrawdown(4);
  auto pain = PainIndex(4);
  auto avg = AverageDrawdown(4);
  EXPECT_EQ(last(mdd, levels), 0.5);
  EXPECT_EQ(last(pain, levels), 0.5 / 4.0);
  EXPECT_EQ(last(avg, levels), 0.5);
  // Equal points close an episode: 10, 5, 10, 5 has two episodes of depth 0.5.
  auto avg2 = AverageDrawdown(4);
  EXPECT_EQ(last(avg2, std::vector<double>{10, 5, 10, 5}), 0.5);
  // A rising or flat equity has no drawdown at all.
  const std::vector<double> flat = {3, 3, 3};
  auto mdd_flat = MaxDrawdown(3);
  auto pain_flat = PainIndex(3);
  auto avg_flat = AverageDrawdown(3);
  EXPECT_EQ(last(mdd_flat, flat), 0.0);
  EXPECT_EQ(last(pain_flat, flat), 0.0);
  EXPECT_EQ(last(avg_flat, flat), 0.0);
}

// ---------------------------------------------------------------------------------------------------
// Ratios over the compounded equity

TEST(Performance, CompoundedRatiosOnTheRolledWindow) {
  // Equity from 1: 1.1 (peak), 0.88, 0.924, 1.2012 (new peak), 1.14114. Drawdowns 0, 0.2, 0.16, 0,
  // 0.05; episodes 0.2 (closed at 1.2012) and 0.05 (still open). Mean return 0.04.
  auto calmar = CalmarRatio(5);
  auto sterling = SterlingRatio(5);
  auto burke = BurkeRatio(5);
  auto martin = MartinRatio(5);
  EXPECT_NEAR(*last(calmar, ROLLED), 0.04 / 0.2, 1e-13);                      // 0.2
  EXPECT_NEAR(*last(sterling, ROLLED), 0.04 / ((0.2 + 0.05) / 2.0), 1e-13);   // 0.32
  EXPECT_NEAR(*last(burke, ROLLED), 0.04 / std::sqrt(0.04 + 0.0025), 1e-13);  // 0.19403
  // Percentage drawdowns 0, 20, 16, 0, 5: Q = (400 + 256 + 25) / 5 = 136.2.
  EXPECT_NEAR(*last(martin, ROLLED), 0.04 / std::sqrt(136.2), 1e-13);  // 0.0034275
}

TEST(Performance, CompoundedRatiosWithoutADrawdownAnswerZero) {
  const std::vector<double> ups = {0.02, 0.0, 0.01, 0.03};
  auto calmar = CalmarRatio(3);
  auto sterling = SterlingRatio(3);
  auto burke = BurkeRatio(3);
  auto martin = MartinRatio(3);
  for (const auto& out : {run(calmar, ups), run(sterling, ups), run(burke, ups), run(martin, ups)}) {
    EXPECT_EQ(out[2], 0.0);
    EXPECT_EQ(out[3], 0.0);
  }
}

TEST(Performance, CalmarReaddsItsRunningSumEveryPeriodPushes) {
  // A huge first return swallows the small ones in the incremental sum; the re-add at pushes 3 and 6
  // repairs it, so bars 4 and 5 carry the drift and bar 6 does not. The equity of -0.5, -0.5, -0.5 is
  // 0.5, 0.25, 0.125: M = 0.875.
  auto calmar = CalmarRatio(3);
  const Outs out = run(calmar, {1e16, -0.5, -0.5, -0.5, -0.5, -0.5});
  EXPECT_EQ(out[3], (-0.5 / 3.0) / 0.875);
  EXPECT_EQ(out[4], (-0.5 / 3.0) / 0.875);
  EXPECT_EQ(out[5], (-1.5 / 3.0) / 0.875);
}

// ---------------------------------------------------------------------------------------------------
// K-ratio

TEST(Performance, KRatioFitsTheCumulativeSums) {
  // Cumulative sums 0.1, -0.1, -0.05, 0.25, 0.2: mean 0.08, x̄ = 3, Sxx = 10, Sxy = 0.55, so b = 0.055
  // and a = -0.085; residuals 0.13, -0.125, -0.13, 0.115, 0.01 give SSR = 0.06275 and a standard
  // error √((0.06275 / 3) / 10).
  auto k = KRatio(5);
  EXPECT_NEAR(*last(k, ROLLED), 0.055 / std::sqrt((0.06275 / 3.0) / 10.0), 1e-12);  // 1.20259
  // Values that are all 1 lie exactly on a line: SSR = 0 answers 0.
  auto ones = KRatio(4);
  EXPECT_EQ(last(ones, std::vector<double>{3, 1, 1, 1, 1}), 0.0);
}

// ---------------------------------------------------------------------------------------------------
// Ulcer index and recovery factor (closes, not returns)

TEST(Performance, UlcerIndexNeedsTwoPeriodsMinusOneCloses) {
  // Period 3: drawdowns from close 3 on, against the highest of the last 3 closes:
  // 9 vs 12, 11 vs 12, 8 vs 11.
  auto ulcer = UlcerIndex(3);
  const Outs out = run(ulcer, {10, 12, 9, 11, 8, 13});
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(out[i].has_value()) << i;
  const double d3 = (9.0 - 12.0) * 100.0 / 12.0;
  const double d4 = (11.0 - 12.0) * 100.0 / 12.0;
  const double d5 = (8.0 - 11.0) * 100.0 / 11.0;
  EXPECT_EQ(out[4], std::sqrt((((0.0 + d3 * d3) + d4 * d4) + d5 * d5) / 3.0));
  EXPECT_NEAR(*out[4], 21.895556, 1e-6);  // √((625 + 69.444 + 743.802) / 3)
  const double d6 = 0.0;  // 13 is the new high
  EXPECT_EQ(out[5], std::sqrt((((0.0 + d4 * d4) + d5 * d5) + d6 * d6) / 3.0));
  // A highest close of 0 gives a drawdown of 0.
  auto zero = UlcerIndex(2);
  EXPECT_EQ(last(zero, std::vector<double>{0, 0, -1, 0}), std::sqrt((0.0 + 0.0) / 2.0));
}

TEST(Performance, RecoveryFactorOverTheWholeRun) {
  // Peak 120 falls to 90: c = 0.25; then 130 is 30 % above the first close: 0.3 / 0.25.
  RecoveryFactor rf;
  const Outs out = run(rf, {100, 120, NaN, 90, 130});
  EXPECT_EQ(out[0], 0.0);
  EXPECT_EQ(out[1], 0.0);
  EXPECT_FALSE(out[2].has_value());
  EXPECT_EQ(out[3], (90.0 / 100.0 - 1.0) / 0.25);
  EXPECT_EQ(out[4], (130.0 / 100.0 - 1.0) / 0.25);
  EXPECT_NEAR(*out[4], 1.2, 1e-15);
  // A series that never falls answers 0; a first close of 0 never answers.
  RecoveryFactor rising;
  EXPECT_EQ(last(rising, std::vector<double>{5, 6, 6, 9}), 0.0);
  RecoveryFactor from_zero;
  for (const auto& o : run(from_zero, {0, 5, 3, 8})) EXPECT_FALSE(o.has_value());
}

// ---------------------------------------------------------------------------------------------------
// Tail measures

TEST(Performance, TailMeasuresOnTheRolledWindow) {
  // Sorted window -0.20, -0.05, 0.05, 0.10, 0.30.
  // Quantile 0.95 at position 3.8: 0.10 + 0.20 · 0.8 = 0.26; quantile 0.05 at 0.2: -0.20 + 0.15 · 0.2
  // = -0.17.
  auto tail = TailRatio(5);
  EXPECT_NEAR(*last(tail, ROLLED), 0.26 / 0.17, 1e-13);  // 1.52941
  auto csr = CommonSenseRatio(5);
  EXPECT_NEAR(*last(csr, ROLLED), 0.26 / 0.17 * 1.8, 1e-13);  // times the profit factor 1.8
  // Value-at-risk at 0.9: position 4 · 0.1 = 0.4, -0.20 + 0.15 · 0.4 = -0.14; at 0.75 the position 1
  // is whole and takes -0.05 itself.
  auto var90 = ValueAtRisk(5, 0.9);
  EXPECT_NEAR(*last(var90, ROLLED), 0.14, 1e-15);
  auto var75 = ValueAtRisk(5, 0.75);
  EXPECT_EQ(last(var75, ROLLED), 0.05);
  // Conditional value-at-risk at 0.6 averages the ⌊5 · 0.4⌋ = 2 smallest; at 0.9, 5 · 0.1 < 1
  // keeps exactly the single smallest.
  auto cvar60 = ConditionalValueAtRisk(5, 0.6);
  EXPECT_EQ(last(cvar60, ROLLED), -((0.0 + -0.20) + -0.05) / 2.0);
  auto cvar90 = ConditionalValueAtRisk(5, 0.9);
  EXPECT_EQ(last(cvar90, ROLLED), 0.20);
}

TEST(Performance, TailGuards) {
  // All-positive returns: no loss, and the answer is a positive zero.
  const std::vector<double> ups = {0.01, 0.03, 0.02};
  auto var = ValueAtRisk(3, 0.95);
  auto cvar = ConditionalValueAtRisk(3, 0.95);
  for (const auto& got : {last(var, ups), last(cvar, ups)}) {
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, 0.0);
    EXPECT_FALSE(std::signbit(*got));
  }
  // A lower tail quantile of 0 answers 0, also where the profit factor is infinite.
  const std::vector<double> quiet = {0.0, 0.0, 0.0, 0.0, 0.5};
  auto tail = TailRatio(5);
  auto csr = CommonSenseRatio(5);
  EXPECT_EQ(last(tail, quiet), 0.0);
  EXPECT_EQ(last(csr, quiet), 0.0);
  // Gains only with a positive lower tail: an infinite profit factor makes an infinite ratio.
  auto csr_up = CommonSenseRatio(3);
  EXPECT_EQ(last(csr_up, ups), Inf);
}

// ---------------------------------------------------------------------------------------------------
// The documented flat windows, through the factory

TEST(Performance, IdenticalPositiveReturns) {
  struct Case {
    const char* name;
    std::vector<double> params;
    double want;
  };
  const Case cases[] = {
      {"SharpeRatio", {5, 0}, 0.0},  {"SortinoRatio", {5, 0}, 0.0}, {"MaxDrawdown", {5}, 0.0},
      {"CalmarRatio", {5}, 0.0},     {"WinRate", {5}, 1.0},         {"ProfitFactor", {5}, Inf},
      {"SterlingRatio", {5}, 0.0},   {"BurkeRatio", {5}, 0.0},      {"ValueAtRisk", {5, 0.95}, 0.0},
  };
  for (const auto& c : cases) {
    auto ind = create_indicator(c.name, c.params);
    ASSERT_TRUE(ind.has_value()) << c.name;
    const Outs out = run(**ind, {0.01, 0.01, 0.01, 0.01, 0.01, 0.01});
    ASSERT_TRUE(out.back().has_value()) << c.name;
    EXPECT_EQ(*out.back(), c.want) << c.name;
  }
}

}  // namespace
}  // namespace sorvik

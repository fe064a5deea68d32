// The pair and cross-asset indicators: two series, the bar's close x and the reference value y.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/pairs/alpha.hpp"
#include "indicators/pairs/beta.hpp"
#include "indicators/pairs/beta_neutral_spread.hpp"
#include "indicators/pairs/co_moments.hpp"
#include "indicators/pairs/cointegration.hpp"
#include "indicators/pairs/distance_ssd.hpp"
#include "indicators/pairs/granger_causality.hpp"
#include "indicators/pairs/hasbrouck_information_share.hpp"
#include "indicators/pairs/kalman_hedge_ratio.hpp"
#include "indicators/pairs/kendall_tau.hpp"
#include "indicators/pairs/lead_lag_cross_correlation.hpp"
#include "indicators/pairs/least_squares.hpp"
#include "indicators/pairs/ou_half_life.hpp"
#include "indicators/pairs/pair_spread_z_score.hpp"
#include "indicators/pairs/pairwise_beta.hpp"
#include "indicators/pairs/pearson_correlation.hpp"
#include "indicators/pairs/relative_strength_ab.hpp"
#include "indicators/pairs/rolling_correlation.hpp"
#include "indicators/pairs/rolling_covariance.hpp"
#include "indicators/pairs/spearman_correlation.hpp"
#include "indicators/pairs/spread_ar1_coefficient.hpp"
#include "indicators/pairs/spread_bollinger_bands.hpp"
#include "indicators/pairs/spread_hurst.hpp"
#include "indicators/pairs/treynor_ratio.hpp"
#include "indicators/pairs/variance_ratio.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Pairs = std::vector<PairInput>;

/// Feeds every pair and collects the outputs.
template <class T>
auto run(T& ind, const Pairs& ps) {
  std::vector<decltype(ind.update(PairInput{}))> out;
  for (const PairInput& p : ps) out.push_back(ind.update(p));
  return out;
}

/// A bar with the given close and, when present, reference value.
BarContext bar(double close, std::optional<double> ref) {
  BarContext ctx;
  const double c = std::isfinite(close) ? close : 1.0;
  ctx.candle = Candle{0, c, c, c, close, 1.0};
  ctx.reference = ref;
  return ctx;
}

/// Two deterministic, positive, related series.
double wave_x(int i) { return 100.0 + 10.0 * std::sin(i * 0.37) + 3.0 * std::cos(i * 1.91) + 0.05 * i; }
double wave_y(int i) { return 50.0 + 4.0 * std::sin(i * 0.37 + 0.4) + 2.0 * std::cos(i * 0.83) - 0.02 * i; }

// ---------------------------------------------------------------------------------------------------
// Construction

TEST(Pairs, ConstructorChecksInOrder) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* message;  // the constructor's display text; nullptr: builds
  };
  const char* max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const char* zero = "period must be greater than zero";
  const Case cases[] = {
      // a minimum window length with its own message (a zero gives that message too), then MAX_PERIOD
      {"PearsonCorrelation", {1}, "invalid period: pearson correlation needs period >= 2"},
      {"PearsonCorrelation", {TINY}, "invalid period: pearson correlation needs period >= 2"},
      {"PearsonCorrelation", {16777217}, max},
      {"PearsonCorrelation", {16777216}, nullptr},
      {"PearsonCorrelation", {2}, nullptr},
      {"RollingCorrelation", {1}, "invalid period: rolling correlation needs period >= 2"},
      {"RollingCorrelation", {16777217}, max},
      {"RollingCorrelation", {2}, nullptr},
      {"RollingCovariance", {1}, "invalid period: rolling covariance needs period >= 2"},
      {"RollingCovariance", {16777217}, max},
      {"RollingCovariance", {2}, nullptr},
      {"SpearmanCorrelation", {1}, "invalid period: spearman correlation needs period >= 2"},
      {"SpearmanCorrelation", {16777217}, max},
      {"SpearmanCorrelation", {2}, nullptr},
      {"KendallTau", {1}, "invalid period: Kendall tau needs period >= 2"},
      {"KendallTau", {16777217}, max},
      {"KendallTau", {2}, nullptr},
      {"Beta", {1}, "invalid period: beta needs period >= 2"},
      {"Beta", {16777217}, max},
      {"Beta", {2}, nullptr},
      {"Alpha", {1, 0.01}, "invalid period: alpha needs period >= 2"},
      {"Alpha", {16777217, 0.01}, max},
      {"Alpha", {2, -3}, nullptr},
      {"PairwiseBeta", {1}, "invalid period: pairwise beta needs period >= 2"},
      {"PairwiseBeta", {16777217}, max},
      {"PairwiseBeta", {2}, nullptr},
      {"TreynorRatio", {1, 0.0}, "invalid period: treynor ratio needs period >= 2"},
      {"TreynorRatio", {16777217, 0.0}, max},
      {"TreynorRatio", {2, 0.0}, nullptr},
      {"BetaNeutralSpread", {1}, "invalid period: beta-neutral spread needs period >= 2"},
      {"BetaNeutralSpread", {16777217}, max},
      {"BetaNeutralSpread", {2}, nullptr},
      {"SpreadAr1Coefficient", {2}, "invalid period: AR(1) spread coefficient needs period >= 3"},
      {"SpreadAr1Coefficient", {16777217}, max},
      {"SpreadAr1Coefficient", {3}, nullptr},
      {"OuHalfLife", {2}, "invalid period: OU half-life needs period >= 3"},
      {"OuHalfLife", {16777217}, max},
      {"OuHalfLife", {3}, nullptr},
      {"SpreadHurst", {7}, "invalid period: spread Hurst needs period >= 8"},
      {"SpreadHurst", {16777217}, max},
      {"SpreadHurst", {8}, nullptr},
      {"DistanceSsd", {1}, "invalid period: distance SSD needs period >= 2"},
      {"DistanceSsd", {16777217}, max},
      {"DistanceSsd", {2}, nullptr},
      {"HasbrouckInformationShare", {5}, "invalid period: information share needs period >= 6"},
      {"HasbrouckInformationShare", {16777217}, max},
      {"HasbrouckInformationShare", {6}, nullptr},
      // two lengths: the first is checked completely before the second
      {"PairSpreadZScore", {1, 1}, "invalid period: pair spread z-score needs beta_period >= 2"},
      {"PairSpreadZScore", {16777217, 1}, max},
      {"PairSpreadZScore", {2, 1}, "invalid period: pair spread z-score needs z_period >= 2"},
      {"PairSpreadZScore", {2, 16777217}, max},
      {"PairSpreadZScore", {2, 2}, nullptr},
      {"SpreadBollingerBands", {1, 0}, "invalid period: spread bollinger bands needs period >= 2"},
      {"SpreadBollingerBands", {16777217, 0}, max},
      {"SpreadBollingerBands", {2, 0}, "invalid period: spread bollinger bands needs num_std > 0"},
      {"SpreadBollingerBands", {2, -1}, "invalid period: spread bollinger bands needs num_std > 0"},
      {"SpreadBollingerBands", {2, 0.1}, nullptr},
      {"LeadLagCrossCorrelation", {1, TINY}, "invalid period: lead-lag cross-correlation needs window >= 2"},
      {"LeadLagCrossCorrelation", {16777217, TINY}, max},
      {"LeadLagCrossCorrelation", {2, TINY}, "invalid period: lead-lag cross-correlation needs max_lag >= 1"},
      {"LeadLagCrossCorrelation", {2, 1e19}, nullptr},  // max_lag is not bounded; storage grows with data
      {"GrangerCausality", {1, TINY}, "invalid period: granger causality needs lag >= 1"},
      {"GrangerCausality", {1, 16777217}, max},
      {"GrangerCausality", {7, 2}, "invalid period: granger causality needs period >= 3*lag + 2"},
      {"GrangerCausality", {8, 2}, nullptr},
      {"GrangerCausality", {16777217, 2}, max},
      {"GrangerCausality", {400, 128}, "invalid period: granger causality needs lag <= 127"},
      {"GrangerCausality", {400, 127}, nullptr},
      {"Cointegration", {7, 2}, "invalid period: cointegration needs period >= 2*adf_lags + 4"},
      {"Cointegration", {1e19, 1e19}, "invalid period: cointegration needs period >= 2*adf_lags + 4"},
      {"Cointegration", {8, 2}, nullptr},
      {"Cointegration", {4, TINY}, nullptr},  // no lags: Δs on s alone
      {"Cointegration", {16777217, 2}, max},
      {"Cointegration", {1000, 256}, "invalid period: cointegration needs adf_lags <= 255"},
      {"Cointegration", {1000, 255}, nullptr},
      {"VarianceRatio", {TINY, 1}, "invalid period: variance ratio needs q >= 2"},
      {"VarianceRatio", {3, 2}, "invalid period: variance ratio needs period >= q + 2"},
      {"VarianceRatio", {16777217, 2}, max},
      {"VarianceRatio", {4, 2}, nullptr},
      {"KalmanHedgeRatio", {0, 0}, "invalid parameter: kalman hedge ratio needs delta in (0, 1)"},
      {"KalmanHedgeRatio", {1, 1}, "invalid parameter: kalman hedge ratio needs delta in (0, 1)"},
      {"KalmanHedgeRatio", {0.5, 0}, "invalid parameter: kalman hedge ratio needs observation_var > 0"},
      {"KalmanHedgeRatio", {0.5, -2}, "invalid parameter: kalman hedge ratio needs observation_var > 0"},
      {"KalmanHedgeRatio", {0.999, 1e-9}, nullptr},
      {"RelativeStrengthAB", {TINY, TINY}, zero},
      {"RelativeStrengthAB", {16777217, TINY}, max},
      {"RelativeStrengthAB", {1, TINY}, zero},
      {"RelativeStrengthAB", {1, 16777217}, max},
      {"RelativeStrengthAB", {1, 1}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " #" << (&c - cases));
    auto made = create_indicator(c.name, c.params);
    if (c.message == nullptr) {
      EXPECT_TRUE(made.has_value()) << made.error().display();
    } else {
      ASSERT_FALSE(made.has_value());
      EXPECT_EQ(made.error().display(),
                std::string("invalid parameters for indicator ") + c.name + ": " + c.message);
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Generic behaviour through the factory

struct Built {
  const char* name;
  std::vector<double> params;
  std::uint64_t warmup;
};

/// One configuration per member, with its warm-up worked out by hand.
const Built BUILT[] = {
    {"PearsonCorrelation", {5}, 5},
    {"RollingCorrelation", {5}, 6},
    {"RollingCovariance", {5}, 6},
    {"SpearmanCorrelation", {5}, 5},
    {"KendallTau", {5}, 5},
    {"LeadLagCrossCorrelation", {20, 5}, 30},
    {"GrangerCausality", {8, 2}, 8},
    {"Beta", {5}, 5},
    {"Alpha", {5, 0.01}, 5},
    {"PairwiseBeta", {5}, 6},
    {"TreynorRatio", {5, 0.01}, 5},
    {"BetaNeutralSpread", {5}, 5},
    {"PairSpreadZScore", {4, 3}, 6},
    {"SpreadBollingerBands", {5, 2}, 5},
    {"KalmanHedgeRatio", {0.01, 1}, 1},
    {"Cointegration", {10, 2}, 10},
    {"SpreadAr1Coefficient", {5}, 5},
    {"OuHalfLife", {5}, 5},
    {"SpreadHurst", {8}, 8},
    {"VarianceRatio", {8, 3}, 8},
    {"DistanceSsd", {5}, 5},
    {"HasbrouckInformationShare", {6}, 8},
    {"RelativeStrengthAB", {3, 5}, 6},
    {"RelativeStrengthAB", {7, 2}, 7},
};

TEST(Pairs, EveryMemberIsBuiltAndReadsPairs) {
  std::size_t pair_types = 0;
  for (const CatalogEntry& c : catalog()) {
    for (const Built& b : BUILT) {
      if (c.name == b.name) {
        EXPECT_TRUE(c.built) << c.name;
        EXPECT_EQ(c.feed, FeedKind::Kline) << c.name;
        ++pair_types;
        break;
      }
    }
  }
  EXPECT_EQ(pair_types, 23u);
}

TEST(Pairs, WarmupIsTheFirstBarThatYields) {
  for (const Built& b : BUILT) {
    SCOPED_TRACE(b.name);
    auto made = create_indicator(b.name, b.params);
    ASSERT_TRUE(made.has_value()) << made.error().display();
    BarIndicator& ind = **made;
    EXPECT_EQ(ind.warmup_period(), b.warmup);
    std::uint64_t first = 0;
    for (int i = 1; i <= 60 && first == 0; ++i) {
      if (ind.update(bar(wave_x(i), wave_y(i)))) first = static_cast<std::uint64_t>(i);
    }
    EXPECT_EQ(first, b.warmup);
    // Once it yields it yields on every valid bar.
    for (int i = 61; i < 100; ++i) EXPECT_TRUE(ind.update(bar(wave_x(i), wave_y(i))).has_value()) << i;
  }
}

TEST(Pairs, WithoutReferenceValuesNothingIsEverYielded) {
  for (const Built& b : BUILT) {
    SCOPED_TRACE(b.name);
    auto made = create_indicator(b.name, b.params);
    ASSERT_TRUE(made.has_value());
    BarIndicator& ind = **made;
    for (int i = 0; i < 200; ++i) {
      EXPECT_FALSE(ind.update(bar(wave_x(i), std::nullopt)).has_value());
      EXPECT_TRUE(ind.extra_outputs().empty());
    }
  }
}

/// Invalid bars between valid ones (no reference value, a reference value or close that is not
/// finite) yield nothing and leave the state as it was: the valid bars give the same values, named
/// outputs included, as an instance that never saw the invalid ones.
TEST(Pairs, InvalidPairsYieldNothingAndChangeNothing) {
  const std::vector<BarContext> invalid = {bar(101.0, std::nullopt), bar(101.0, NaN), bar(101.0, Inf),
                                           bar(NaN, 50.0), bar(-Inf, 50.0)};
  for (const Built& b : BUILT) {
    SCOPED_TRACE(b.name);
    auto clean = create_indicator(b.name, b.params);
    auto mixed = create_indicator(b.name, b.params);
    ASSERT_TRUE(clean && mixed);
    for (int i = 0; i < 80; ++i) {
      const BarContext good = bar(wave_x(i), wave_y(i));
      if (i % 3 == 1) {
        const auto before = std::vector<NamedValue>((*mixed)->extra_outputs().begin(), (*mixed)->extra_outputs().end());
        EXPECT_FALSE((*mixed)->update(invalid[static_cast<std::size_t>(i) % invalid.size()]).has_value());
        const auto after = std::vector<NamedValue>((*mixed)->extra_outputs().begin(), (*mixed)->extra_outputs().end());
        EXPECT_EQ(before, after);
      }
      const auto want = (*clean)->update(good);
      const auto got = (*mixed)->update(good);
      ASSERT_EQ(want.has_value(), got.has_value()) << i;
      if (want) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*want), std::bit_cast<std::uint64_t>(*got)) << i;
      }
      const auto ew = (*clean)->extra_outputs();
      const auto eg = (*mixed)->extra_outputs();
      ASSERT_EQ(ew.size(), eg.size());
      for (std::size_t k = 0; k < ew.size(); ++k) EXPECT_EQ(ew[k], eg[k]);
    }
  }
}

TEST(Pairs, NamedOutputsInOrderWithThePrimaryFirst) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::vector<std::string_view> outputs;
  };
  const Case cases[] = {
      {"SpreadBollingerBands", {5, 2}, {"middle", "upper", "lower", "percent_b"}},
      {"KalmanHedgeRatio", {0.01, 1}, {"hedge_ratio", "intercept", "spread"}},
      {"Cointegration", {10, 2}, {"hedge_ratio", "spread", "adf_stat"}},
      {"LeadLagCrossCorrelation", {5, 2}, {"correlation"}},
      {"RelativeStrengthAB", {3, 5}, {"ratio", "ratio_ma", "ratio_rsi"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CatalogEntry* entry = find_catalog_entry(c.name);
    ASSERT_NE(entry, nullptr);
    ASSERT_EQ(entry->outputs.size(), c.outputs.size());
    for (std::size_t k = 0; k < c.outputs.size(); ++k) EXPECT_EQ(entry->outputs[k], c.outputs[k]);
    auto made = create_indicator(c.name, c.params);
    ASSERT_TRUE(made.has_value());
    std::optional<double> v;
    for (int i = 0; i < 40; ++i) v = (*made)->update(bar(wave_x(i), wave_y(i)));
    ASSERT_TRUE(v.has_value());
    const auto named = (*made)->extra_outputs();
    ASSERT_EQ(named.size(), c.outputs.size());
    for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].name, c.outputs[k]);
    EXPECT_EQ(named[0].value, *v);
  }
  // The single-output members publish no named values.
  auto beta = create_indicator("Beta", std::vector<double>{3});
  ASSERT_TRUE(beta.has_value());
  for (int i = 0; i < 5; ++i) (*beta)->update(bar(wave_x(i), wave_y(i)));
  EXPECT_TRUE((*beta)->extra_outputs().empty());
}

// ---------------------------------------------------------------------------------------------------
// The co-moment accumulator

TEST(PairsCoMoments, SumsAfterTheReanchorAndAfterADroppedPair) {
  CoMoments acc(3);
  // Anchored at (1, 2); the third push re-anchors on the window means (2, 3).
  acc.push(1, 2);
  acc.push(2, 1);
  acc.push(3, 6);
  CoMomentStats s = acc.stats();
  EXPECT_EQ(acc.sx(), 0.0);
  EXPECT_EQ(acc.sy(), 0.0);
  EXPECT_EQ(acc.sxy(), 4.0);  // (-1)(-1) + 0·(-2) + 1·3
  EXPECT_EQ(s.vx, 2.0 / 3.0);
  EXPECT_EQ(s.vy, 14.0 / 3.0);
  EXPECT_EQ(s.cov, 4.0 / 3.0);
  EXPECT_EQ(s.mean_x, 2.0);
  EXPECT_EQ(s.mean_y, 3.0);
  EXPECT_EQ(s.beta(), (4.0 / 3.0) / (14.0 / 3.0));
  EXPECT_EQ(s.correlation(), (4.0 / 3.0) / std::sqrt((2.0 / 3.0) * (14.0 / 3.0)));
  EXPECT_NEAR(s.correlation(), 4.0 / std::sqrt(28.0), 1e-15);

  // (1, 2) leaves against the anchor (2, 3), then (4, 0) enters: window (2,1), (3,6), (4,0).
  acc.push(4, 0);
  s = acc.stats();
  EXPECT_EQ(acc.sx(), 3.0);
  EXPECT_EQ(acc.sy(), -2.0);
  EXPECT_EQ(acc.sxy(), -3.0);
  const double my = -2.0 / 3.0;
  EXPECT_EQ(s.vx, 5.0 / 3.0 - 1.0);
  EXPECT_EQ(s.vy, 22.0 / 3.0 - my * my);
  EXPECT_EQ(s.cov, -3.0 / 3.0 - my * 1.0);
  EXPECT_NEAR(s.vy, 62.0 / 9.0, 1e-14);
  EXPECT_NEAR(s.cov, -1.0 / 3.0, 1e-15);
  EXPECT_NEAR(s.mean_y, 7.0 / 3.0, 1e-15);
}

TEST(PairsCoMoments, LargeOffsetsStayAccurateThroughManyReanchors) {
  // 1e9 plus small correlated noise: the anchor keeps the sums small.
  PearsonCorrelation offset(20);
  PearsonCorrelation plain(20);
  std::optional<double> a;
  std::optional<double> b;
  for (int i = 0; i < 2000; ++i) {
    const double nx = std::sin(i * 0.7) + 0.3 * std::cos(i * 2.3);
    const double ny = std::sin(i * 0.7 + 0.5);
    a = offset.update({1e9 + nx, 2e9 + ny});
    b = plain.update({nx, ny});
  }
  ASSERT_TRUE(a && b);
  EXPECT_NEAR(*a, *b, 1e-6);
}

// ---------------------------------------------------------------------------------------------------
// Correlation and dependence

TEST(PairsCorrelation, PearsonOverTheWindow) {
  PearsonCorrelation c(3);
  const auto out = run(c, {{1, 2}, {2, 1}, {3, 6}, {4, 0}});
  EXPECT_FALSE(out[0]);
  EXPECT_FALSE(out[1]);
  EXPECT_EQ(out[2], (4.0 / 3.0) / std::sqrt((2.0 / 3.0) * (14.0 / 3.0)));
  EXPECT_NEAR(*out[3], (-1.0 / 3.0) / std::sqrt((2.0 / 3.0) * (62.0 / 9.0)), 1e-15);
  // A perfectly linear pair is clamped to 1; a constant leg gives 0.
  PearsonCorrelation line(3);
  EXPECT_EQ(run(line, {{1, 3}, {2, 5}, {3, 7}, {4, 9}}).back(), 1.0);
  PearsonCorrelation flat_x(3);
  EXPECT_EQ(run(flat_x, {{5, 1}, {5, 2}, {5, 4}}).back(), 0.0);
  PearsonCorrelation flat_y(3);
  EXPECT_EQ(run(flat_y, {{1, 7}, {2, 7}, {4, 7}}).back(), 0.0);
}

TEST(PairsCorrelation, RollingCovarianceAndCorrelationOfChanges) {
  // Changes (1, 2), (2, 1), (1, 4).
  const Pairs ps = {{1, 1}, {2, 3}, {4, 4}, {5, 8}};
  RollingCovariance cov(2);
  const auto c = run(cov, ps);
  EXPECT_FALSE(c[0]);
  EXPECT_FALSE(c[1]);
  EXPECT_EQ(c[2], -0.25);  // (1·2 + 2·1)/2 - 1.5·1.5
  EXPECT_EQ(c[3], -0.75);  // (2·1 + 1·4)/2 - 1.5·2.5
  RollingCorrelation corr(2);
  const auto r = run(corr, ps);
  EXPECT_FALSE(r[1]);
  EXPECT_EQ(r[2], -1.0);
  EXPECT_EQ(r[3], -1.0);
  // Changes (1, 1), (2, 1), (1, 3): cov -2/9, vx 2/9, vy 8/9, correlation -0.5.
  RollingCorrelation corr3(3);
  const auto r3 = run(corr3, {{0, 0}, {1, 1}, {3, 2}, {4, 5}});
  EXPECT_FALSE(r3[2]);
  EXPECT_NEAR(*r3[3], -0.5, 1e-15);
  // A constant change of one leg: zero variance, correlation 0.
  RollingCorrelation still(2);
  EXPECT_EQ(run(still, {{1, 1}, {2, 3}, {3, 4}}).back(), 0.0);
}

TEST(PairsCorrelation, SpearmanRanksWithTies) {
  std::vector<std::size_t> order;
  std::vector<double> rank;
  pairs::average_ranks({1, 2, 2, 3}, order, rank);
  EXPECT_EQ(rank, (std::vector<double>{1, 2.5, 2.5, 4}));
  pairs::average_ranks({7, -1, 7, 7, 0}, order, rank);
  EXPECT_EQ(rank, (std::vector<double>{4, 1, 4, 4, 2}));

  // x ranks 1, 2.5, 2.5, 4; y ranks 1, 3, 2, 4: vx 1.125, vy 1.25, cov 1.125.
  SpearmanCorrelation s(4);
  const auto out = run(s, {{1, 10}, {2, 30}, {2, 20}, {3, 40}});
  EXPECT_FALSE(out[2]);
  EXPECT_EQ(out[3], 1.125 / std::sqrt(1.125 * 1.25));
  EXPECT_NEAR(*out[3], 3.0 / std::sqrt(10.0), 1e-15);
  // Rolling on: window (2,30), (2,20), (3,40), (1,0): x ranks 2.5, 2.5, 4, 1; y ranks 3, 2, 4, 1.
  EXPECT_EQ(s.update({1, 0}), (7.375 - 6.25) / std::sqrt(1.125 * 1.25));
  // A constant leg ranks all equal: 0.
  SpearmanCorrelation flat(3);
  EXPECT_EQ(run(flat, {{1, 5}, {2, 5}, {3, 5}}).back(), 0.0);
}

TEST(PairsCorrelation, KendallCountsPairsIncrementally) {
  // C = 5, D = 1 over six comparisons.
  KendallTau k(4);
  const auto out = run(k, {{1, 1}, {2, 3}, {3, 2}, {4, 4}});
  EXPECT_FALSE(out[2]);
  EXPECT_EQ(out[3], 4.0 / 6.0);
  // (1, 1) leaves, (0, 5) enters: C = 2, D = 4.
  EXPECT_EQ(k.update({0, 5}), -2.0 / 6.0);
  // Ties: C = 1, D = 2, one tie in x, two in y: (1 - 2) / √((6 - 2)·(6 - 1)).
  KendallTau ties(4);
  EXPECT_EQ(run(ties, {{1, 1}, {1, 2}, {2, 2}, {3, 1}}).back(), -1.0 / std::sqrt(20.0));
  // All x equal: v = 0 gives 0.
  KendallTau flat(3);
  EXPECT_EQ(run(flat, {{2, 1}, {2, 3}, {2, 2}, {2, 5}}).back(), 0.0);
  // After many rolls the counts still describe the window: compare with a fresh instance.
  KendallTau rolled(5);
  Pairs ps;
  for (int i = 0; i < 50; ++i) ps.push_back({std::round(wave_x(i)), std::round(wave_y(i))});
  const auto all = run(rolled, ps);
  KendallTau fresh(5);
  const auto tail = run(fresh, Pairs(ps.end() - 5, ps.end()));
  EXPECT_EQ(all.back(), tail.back());
}

TEST(PairsCorrelation, LeadLagPicksTheStrongestOffsetKeepingItsSign) {
  // W = 3, L = 1: the closes at positions 1..3 are 1, 2, 4.
  // Against the reference values at 0..2, 1..3 and 2..4: corr(0) = 9/√84 ≈ 0.982 (lead),
  // corr(1) = 12/√252 ≈ 0.756 (lag 0), corr(2) ≈ -0.945 (lag); the lead is the strongest.
  LeadLagCrossCorrelation c(3, 1);
  const auto out = run(c, {{9, 1}, {1, 2}, {2, 3}, {4, 3}, {9, 0}});
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(out[static_cast<std::size_t>(i)]);
  ASSERT_TRUE(out[4]);
  EXPECT_NEAR((*out[4])[0], 9.0 / std::sqrt(84.0), 1e-15);
  // W = 2, L = 1: lag 0 has a flat reference (0); the lead gives -1 first, and the lag's +1 is not
  // strictly stronger, so the sign of the first is kept.
  LeadLagCrossCorrelation tie(2, 1);
  EXPECT_EQ((*run(tie, {{0, 3}, {1, 2}, {2, 2}, {0, 5}}).back())[0], -1.0);
}

TEST(PairsCorrelation, GrangerFStatistic) {
  // Lag 1, period 5: rows t = 1..4. The restricted fit of x_t on x_{t-1} leaves RSS 0.5, adding
  // y_{t-1} leaves 0.25 with 4 - 3 = 1 degree of freedom: F = (0.25 / 1) / (0.25 / 1) = 1.
  GrangerCausality g(5, 1);
  const auto out = run(g, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {1, 9}});
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(out[static_cast<std::size_t>(i)]);
  EXPECT_NEAR(*out[4], 1.0, 1e-12);
  // Both fits exact: F = 0/0 is not a number and answers 0.
  GrangerCausality exact(5, 1);
  EXPECT_EQ(run(exact, {{0, 3}, {1, 1}, {0, 4}, {1, 1}, {0, 5}}).back(), 0.0);
  // A constant close makes the normal equations singular: the fit fails and answers 0.
  GrangerCausality flat(8, 2);
  Pairs ps;
  for (int i = 0; i < 8; ++i) ps.push_back({3.0, wave_y(i)});
  EXPECT_EQ(run(flat, ps).back(), 0.0);
}

// ---------------------------------------------------------------------------------------------------
// Regression and hedge members

TEST(PairsRegression, SlopeMembersOnOneWindow) {
  // Window (1,2), (2,1), (3,6): mean x 2, mean y 3, β = (4/3)/(14/3).
  const Pairs ps = {{1, 2}, {2, 1}, {3, 6}};
  const double beta = (4.0 / 3.0) / (14.0 / 3.0);
  Beta b(3);
  EXPECT_EQ(run(b, ps).back(), beta);
  Alpha a(3, 0.5);
  EXPECT_EQ(run(a, ps).back(), 2.0 - ((3.0 - 0.5) * beta + 0.5));
  TreynorRatio t(3, 0.5);
  EXPECT_EQ(run(t, ps).back(), (2.0 - 0.5) / beta);
  BetaNeutralSpread s(3);
  EXPECT_EQ(run(s, ps).back(), 3.0 - (6.0 * beta + (2.0 - 3.0 * beta)));
}

TEST(PairsRegression, ZeroVarianceFallbacks) {
  // A constant reference value: no slope.
  const Pairs flat_y = {{1, 4}, {2, 4}, {6, 4}};
  Beta b(3);
  EXPECT_EQ(run(b, flat_y).back(), 0.0);
  Alpha a(3, 0.5);
  EXPECT_EQ(run(a, flat_y).back(), 3.0 - 0.5);
  TreynorRatio t(3, 0.5);
  EXPECT_EQ(run(t, flat_y).back(), 0.0);
  BetaNeutralSpread s(3);
  EXPECT_EQ(run(s, flat_y).back(), 6.0 - 3.0);
  // A constant close against a varying reference: β = 0 exactly, Treynor answers 0.
  TreynorRatio t0(3, 0.5);
  EXPECT_EQ(run(t0, {{5, 1}, {5, 2}, {5, 6}}).back(), 0.0);
}

TEST(PairsRegression, PairwiseBetaOfLogChanges) {
  // x = y²: every log change of x is twice that of y.
  PairwiseBeta b(3);
  const Pairs ps = {{4, 2}, {9, 3}, {25, 5}, {16, 4}, {36, 6}};
  const auto out = run(b, ps);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(out[static_cast<std::size_t>(i)]);
  EXPECT_NEAR(*out[3], 2.0, 1e-12);
  EXPECT_NEAR(*out[4], 2.0, 1e-12);
  // Zero or negative prices are ignored without disturbing the previous pair.
  PairwiseBeta skipped(3);
  const Pairs with_bad = {{4, 2}, {0, 3}, {9, 3}, {9, -1}, {25, 5}, {-2, 2}, {16, 4}, {36, 6}};
  std::vector<std::optional<double>> kept;
  for (const PairInput& p : with_bad) {
    const auto v = skipped.update(p);
    if (p.x > 0 && p.y > 0) {
      kept.push_back(v);
    } else {
      EXPECT_FALSE(v);
    }
  }
  EXPECT_EQ(kept, out);
}

TEST(PairsRegression, PairSpreadZScoreOfTheHedgedSpread) {
  // β over (1,1), (3,2) is 2: spread 3 - 2·2 = -1. Over (3,2), (4,2) the reference is flat: β = 0,
  // spread 4; spreads -1, 4 give z = (4 - 1.5)/2.5 = 1. Over (4,2), (2,4) β = -1: spread 6; spreads
  // 4, 6 give z = (6 - 5)/1 = 1.
  PairSpreadZScore z(2, 2);
  const auto out = run(z, {{1, 1}, {3, 2}, {4, 2}, {2, 4}});
  EXPECT_FALSE(out[0]);
  EXPECT_FALSE(out[1]);
  EXPECT_EQ(out[2], 1.0);
  EXPECT_EQ(out[3], 1.0);
  // Equal spreads: zero variance gives 0.
  PairSpreadZScore flat(2, 3);
  EXPECT_EQ(run(flat, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}).back(), 0.0);
}

TEST(PairsRegression, SpreadBollingerBands) {
  // Spreads 2, 4: mean 3, deviation 1, k = 2.
  SpreadBollingerBands bb(2, 2.0);
  const auto out = run(bb, {{3, 1}, {5, 1}, {5, 2}});
  EXPECT_FALSE(out[0]);
  EXPECT_EQ(out[1], (std::array<double, 4>{3, 5, 1, 0.75}));
  // Spreads 4, 3: mean 3.5, deviation 0.5, w = 1.
  EXPECT_EQ(out[2], (std::array<double, 4>{3.5, 4.5, 2.5, 0.25}));
  // A constant spread: equal bands, percent_b 0.5.
  SpreadBollingerBands flat(3, 2.0);
  EXPECT_EQ(run(flat, {{3, 1}, {4, 2}, {5, 3}}).back(), (std::array<double, 4>{2, 2, 2, 0.5}));
}

TEST(PairsRegression, KalmanHedgeRatioSteps) {
  // δ = 0.5: Vw = 1; Ve = 1.
  KalmanHedgeRatio k(0.5, 1.0);
  // First pair: no noise yet and P = 0, so nothing moves; the spread is x.
  EXPECT_EQ(k.update({3, 2}), (std::array<double, 3>{0, 0, 3}));
  // P = diag(1, 1); e = 5; h = (1, 1); S = 3; K = (1/3, 1/3).
  const auto second = k.update({5, 1});
  const double third = 1.0 / 3.0;
  EXPECT_EQ(second, (std::array<double, 3>{5.0 * third, 5.0 * third, 5.0}));
  // P = [[5/3, -1/3], [-1/3, 5/3]]; e = 4 - (2·5/3 + 5/3) = -1; S = 8; K = (3/8, 1/8).
  const auto later = k.update({4, 2});
  ASSERT_TRUE(later);
  EXPECT_NEAR((*later)[0], 5.0 / 3.0 - 3.0 / 8.0, 1e-15);
  EXPECT_NEAR((*later)[1], 5.0 / 3.0 - 1.0 / 8.0, 1e-15);
  EXPECT_NEAR((*later)[2], -1.0, 1e-15);
  // On a noiseless line x = 2y + 1 the filter converges to the line.
  KalmanHedgeRatio line(1e-4, 1e-3);
  std::optional<std::array<double, 3>> v;
  for (int i = 0; i < 500; ++i) {
    const double y = wave_y(i) - 50.0;
    v = line.update({2.0 * y + 1.0, y});
  }
  EXPECT_NEAR((*v)[0], 2.0, 1e-3);
  EXPECT_NEAR((*v)[1], 1.0, 1e-2);
}

TEST(PairsRegression, CointegrationAdfStatistic) {
  // A flat reference: β = 0, c = mean x = 2; spreads -1, 1, 0, 0. Without lags the ADF regression is
  // Δs on s over rows 1..3: γ = -3/2, RSS = 0.5, (AᵀA)⁻¹ = 1/2, se² = 0.5/(3 - 1)·0.5.
  auto made = Cointegration::create(4, 0);
  ASSERT_TRUE(made.has_value());
  Cointegration& c = *made;
  const auto out = run(c, {{1, 5}, {3, 5}, {2, 5}, {2, 5}});
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(out[static_cast<std::size_t>(i)]);
  EXPECT_EQ(out[3], (std::array<double, 3>{0.0, 0.0, -1.5 / std::sqrt(0.5 / 2.0 * 0.5)}));
  // x = 2y + noise: the hedge ratio is the regression slope, the spread the newest residual.
  Cointegration hedge(4, 0);
  const auto h = run(hedge, {{2, 1}, {6, 2}, {7, 3}, {9, 4}}).back();
  ASSERT_TRUE(h);
  EXPECT_NEAR((*h)[0], 2.2, 1e-14);
  EXPECT_NEAR((*h)[1], 9.0 - (4.0 * 2.2 + 0.5), 1e-14);
  // Equal spreads: the regression is singular and the statistic falls back to 0.
  Cointegration flat(8, 2);
  EXPECT_EQ((*run(flat, Pairs(8, PairInput{3, 1})).back())[2], 0.0);
}

/// An independent least-squares fit in long double (Gauss-Jordan with partial pivoting): the
/// coefficients, the residual sum of squares and the first diagonal element of (AᵀA)⁻¹.
struct RefFit {
  std::vector<long double> b;
  long double rss;
  long double inv00;
};
RefFit reference_fit(const std::vector<std::vector<long double>>& rows, const std::vector<long double>& t) {
  const std::size_t k = rows[0].size();
  std::vector<std::vector<long double>> a(k, std::vector<long double>(k + 2, 0.0L));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t i = 0; i < k; ++i) {
      for (std::size_t j = 0; j < k; ++j) a[i][j] += rows[r][i] * rows[r][j];
      a[i][k] += t[r] * rows[r][i];
    }
  }
  a[0][k + 1] = 1.0L;
  for (std::size_t j = 0; j < k; ++j) {
    std::size_t best = j;
    for (std::size_t r = j + 1; r < k; ++r) {
      if (std::fabs(a[r][j]) > std::fabs(a[best][j])) best = r;
    }
    std::swap(a[j], a[best]);
    for (std::size_t r = 0; r < k; ++r) {
      if (r == j) continue;
      const long double f = a[r][j] / a[j][j];
      for (std::size_t i = 0; i < k + 2; ++i) a[r][i] -= f * a[j][i];
    }
  }
  RefFit fit{std::vector<long double>(k), 0.0L, a[0][k + 1] / a[0][0]};
  for (std::size_t i = 0; i < k; ++i) fit.b[i] = a[i][k] / a[i][i];
  for (std::size_t r = 0; r < rows.size(); ++r) {
    long double e = t[r];
    for (std::size_t i = 0; i < k; ++i) e -= rows[r][i] * fit.b[i];
    fit.rss += e * e;
  }
  return fit;
}

TEST(PairsRegression, CointegrationWithLagsMatchesAnIndependentFit) {
  const std::size_t n = 30;
  const std::size_t p = 2;
  Cointegration c(n, p);
  Pairs ps;
  for (int i = 0; i < 45; ++i) ps.push_back({2.0 * wave_y(i) + std::sin(i * 1.7) + 0.4 * std::cos(i * 0.45), wave_y(i)});
  const auto out = run(c, ps);
  EXPECT_FALSE(out[n - 2]);
  for (std::size_t t = n - 1; t < ps.size(); ++t) {
    SCOPED_TRACE(t);
    ASSERT_TRUE(out[t]);
    // The hedge: ordinary least squares of x on [1, y] over the window.
    std::vector<std::vector<long double>> rows;
    std::vector<long double> target;
    for (std::size_t i = t + 1 - n; i <= t; ++i) {
      rows.push_back({1.0L, ps[i].y});
      target.push_back(ps[i].x);
    }
    const RefFit hedge = reference_fit(rows, target);
    EXPECT_NEAR((*out[t])[0], static_cast<double>(hedge.b[1]), 1e-9);
    std::vector<long double> s;
    for (std::size_t i = t + 1 - n; i <= t; ++i) s.push_back(ps[i].x - (ps[i].y * hedge.b[1] + hedge.b[0]));
    EXPECT_NEAR((*out[t])[1], static_cast<double>(s.back()), 1e-9);
    // The ADF regression: Δs_j on [s_{j-1}, Δs_{j-1}, Δs_{j-2}].
    rows.clear();
    target.clear();
    for (std::size_t j = p + 1; j < n; ++j) {
      rows.push_back({s[j - 1], s[j - 1] - s[j - 2], s[j - 2] - s[j - 3]});
      target.push_back(s[j] - s[j - 1]);
    }
    const RefFit adf = reference_fit(rows, target);
    const long double se2 = adf.rss / static_cast<long double>(n - p - 1 - (p + 1)) * adf.inv00;
    const long double stat = adf.b[0] / std::sqrt(se2);
    EXPECT_LT(stat, -0.5L);  // a mean-reverting spread
    EXPECT_NEAR((*out[t])[2], static_cast<double>(stat), 1e-7);
  }
}

TEST(PairsCorrelation, GrangerWithLagsMatchesAnIndependentFit) {
  const std::size_t n = 20;
  const std::size_t lag = 2;
  GrangerCausality g(n, lag);
  Pairs ps;
  for (int i = 0; i < 35; ++i) ps.push_back({wave_x(i) + 2.0 * std::sin((i - 1) * 0.9), wave_y(i) + std::sin(i * 0.9)});
  const auto out = run(g, ps);
  for (std::size_t t = n - 1; t < ps.size(); ++t) {
    SCOPED_TRACE(t);
    ASSERT_TRUE(out[t]);
    std::vector<std::vector<long double>> restricted;
    std::vector<std::vector<long double>> unrestricted;
    std::vector<long double> target;
    const std::size_t first = t + 1 - n;
    for (std::size_t u = first + lag; u <= t; ++u) {
      restricted.push_back({1.0L, ps[u - 1].x, ps[u - 2].x});
      unrestricted.push_back({1.0L, ps[u - 1].x, ps[u - 2].x, ps[u - 1].y, ps[u - 2].y});
      target.push_back(ps[u].x);
    }
    const long double rss_r = reference_fit(restricted, target).rss;
    const long double rss_u = reference_fit(unrestricted, target).rss;
    const long double m = static_cast<long double>(n - lag);
    const long double f = ((rss_r - rss_u) / lag) / (rss_u / (m - 2 * lag - 1));
    EXPECT_GT(f, 1.0L);  // the reference's lags matter here
    EXPECT_NEAR(*out[t], static_cast<double>(f), 1e-6 * f);
  }
}

// ---------------------------------------------------------------------------------------------------
// Spread dynamics

TEST(PairsSpread, Ar1AndHalfLife) {
  // Spreads 1, 2, 4: pairs (1, 2), (2, 4); u0/m = 0.25, u1/m = 0.5: coefficient 2.
  SpreadAr1Coefficient ar(3);
  const auto a = run(ar, {{2, 1}, {5, 3}, {4, 0}});
  EXPECT_FALSE(a[1]);
  EXPECT_EQ(a[2], 2.0);
  // Spreads 4, 2, 1: changes -2, -1 on 4, 2: b = -0.5, half-life ln 2 / 0.5.
  OuHalfLife ou(3);
  const auto o = run(ou, {{5, 1}, {3, 1}, {2, 1}});
  EXPECT_FALSE(o[1]);
  EXPECT_EQ(o[2], -0.6931471805599453 / -0.5);
  // A spread that does not revert (b >= 0) gives 0; a constant spread (v = 0) gives 0 for both.
  OuHalfLife away(3);
  EXPECT_EQ(run(away, {{2, 1}, {5, 3}, {4, 0}}).back(), 0.0);
  SpreadAr1Coefficient flat_ar(3);
  EXPECT_EQ(run(flat_ar, {{2, 1}, {3, 2}, {4, 3}}).back(), 0.0);
  OuHalfLife flat_ou(3);
  EXPECT_EQ(run(flat_ou, {{2, 1}, {3, 2}, {4, 3}}).back(), 0.0);
}

TEST(PairsSpread, HurstFromDisplacementGrowth) {
  // Spreads 0,1,1,2,2,3,3,4: msd(1) = 4/7, msd(2) = 6/6: H = 0.5·ln(7/4)/ln 2.
  const double s[] = {0, 1, 1, 2, 2, 3, 3, 4};
  SpreadHurst h(8);
  std::optional<double> v;
  for (double x : s) v = h.update({x + 10.0, 10.0});
  EXPECT_NEAR(*v, 0.5 * std::log(7.0 / 4.0) / std::log(2.0), 1e-15);
  // Alternating spreads: msd(2) = 0 is left out, one point remains: 0.5.
  SpreadHurst alt(8);
  for (int i = 0; i < 8; ++i) v = alt.update({static_cast<double>(i % 2), 0.0});
  EXPECT_EQ(v, 0.5);
  // A straight line: slope 2 of ln msd on ln τ, halved and clamped to 1.
  SpreadHurst line(8);
  for (int i = 0; i < 8; ++i) v = line.update({static_cast<double>(i), 0.0});
  EXPECT_NEAR(*v, 1.0, 1e-15);
  EXPECT_LE(*v, 1.0);
}

TEST(PairsSpread, VarianceRatio) {
  // Spreads 0, 1, 2, 4, 6: changes 1, 1, 2, 2 (μ 1.5, V1 0.25); 2-sums 2, 3, 4 (Vq 2/3).
  VarianceRatio vr(5, 2);
  const auto out = run(vr, {{0, 0}, {1, 0}, {2, 0}, {4, 0}, {6, 0}});
  EXPECT_FALSE(out[3]);
  EXPECT_EQ(out[4], (2.0 / 3.0) / (0.25 * 2.0));
  // Alternating changes: every 2-sum equals μ·q, ratio 0; constant changes: V1 = 0, ratio 1.
  VarianceRatio mean_reverting(5, 2);
  EXPECT_EQ(run(mean_reverting, {{0, 0}, {1, 0}, {3, 0}, {4, 0}, {6, 0}}).back(), 0.0);
  VarianceRatio steady(5, 2);
  EXPECT_EQ(run(steady, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}).back(), 1.0);
}

TEST(PairsSpread, DistanceSsd) {
  // Normalised by (2, 4): x 1, 2, 1.5 against y 1, 2, 0.5.
  DistanceSsd d(3);
  const auto out = run(d, {{2, 4}, {4, 8}, {3, 2}});
  EXPECT_FALSE(out[1]);
  EXPECT_EQ(out[2], 1.0);
  DistanceSsd same(3);
  EXPECT_EQ(run(same, {{2, 2}, {5, 5}, {3, 3}, {7, 7}}).back(), 0.0);
  DistanceSsd zero_base(3);
  EXPECT_EQ(run(zero_base, {{0, 4}, {4, 8}, {3, 2}}).back(), 0.0);
}

// ---------------------------------------------------------------------------------------------------
// Information share and relative strength

/// An independent computation of the information share: normal equations solved by Gauss-Jordan in
/// long double.
double reference_information_share(const Pairs& ps, std::size_t n) {
  struct Row {
    long double dx, dy, z, dxp, dyp;
  };
  std::vector<Row> rows;
  for (std::size_t t = 2; t < ps.size(); ++t) {
    rows.push_back({ps[t].x - ps[t - 1].x, ps[t].y - ps[t - 1].y, ps[t - 1].x - ps[t - 1].y,
                    ps[t - 1].x - ps[t - 2].x, ps[t - 1].y - ps[t - 2].y});
  }
  rows.erase(rows.begin(), rows.end() - static_cast<std::ptrdiff_t>(n));
  long double a[4][6] = {};
  for (const Row& r : rows) {
    const long double v[4] = {1, r.z, r.dxp, r.dyp};
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) a[i][j] += v[i] * v[j];
      a[i][4] += r.dx * v[i];
      a[i][5] += r.dy * v[i];
    }
  }
  for (int j = 0; j < 4; ++j) {
    int best = j;
    for (int r = j + 1; r < 4; ++r) {
      if (std::fabs(a[r][j]) > std::fabs(a[best][j])) best = r;
    }
    for (int i = 0; i < 6; ++i) std::swap(a[j][i], a[best][i]);
    for (int r = 0; r < 4; ++r) {
      if (r == j) continue;
      const long double f = a[r][j] / a[j][j];
      for (int i = 0; i < 6; ++i) a[r][i] -= f * a[j][i];
    }
  }
  long double bx[4];
  long double by[4];
  for (int i = 0; i < 4; ++i) {
    bx[i] = a[i][4] / a[i][i];
    by[i] = a[i][5] / a[i][i];
  }
  long double oxx = 0, oyy = 0, oxy = 0;
  for (const Row& r : rows) {
    const long double v[4] = {1, r.z, r.dxp, r.dyp};
    long double ex = r.dx, ey = r.dy;
    for (int i = 0; i < 4; ++i) {
      ex -= v[i] * bx[i];
      ey -= v[i] * by[i];
    }
    oxx += ex * ex;
    oyy += ey * ey;
    oxy += ex * ey;
  }
  oxx /= n;
  oyy /= n;
  oxy /= n;
  const long double ax = bx[1], ay = by[1];
  const long double r = ax * ax * oyy + ay * ay * oxx - 2 * ay * ax * oxy;
  const long double u = ay * std::sqrt(oxx) - ax * oxy / std::sqrt(oxx);
  const long double w = ay * oxy / std::sqrt(oyy) - ax * std::sqrt(oyy);
  const long double is1 = std::min(u * u / r, 1.0L);
  const long double is2 = std::clamp(1 - w * w / r, 0.0L, 1.0L);
  return static_cast<double>((is1 + is2) / 2);
}

TEST(PairsInformationShare, MatchesAnIndependentFit) {
  // Two noisy series tied by an error-correction term.
  Pairs ps;
  double x = 100.0;
  double y = 100.0;
  for (int i = 0; i < 60; ++i) {
    const double ex = std::sin(i * 1.3) + 0.5 * std::cos(i * 2.9);
    const double ey = std::cos(i * 0.7) * 0.8 + 0.3 * std::sin(i * 3.1);
    const double gap = x - y;
    x = x - 0.2 * gap + ex;
    y = y + 0.4 * gap + ey;
    ps.push_back({x, y});
  }
  HasbrouckInformationShare is(20);
  const auto out = run(is, ps);
  for (std::size_t t = 0; t < 21; ++t) EXPECT_FALSE(out[t]) << t;
  for (std::size_t t = 21; t < ps.size(); ++t) {
    ASSERT_TRUE(out[t]);
    EXPECT_GE(*out[t], 0.0);
    EXPECT_LE(*out[t], 1.0);
    EXPECT_NEAR(*out[t], reference_information_share(Pairs(ps.begin(), ps.begin() + static_cast<std::ptrdiff_t>(t) + 1), 20), 1e-9) << t;
  }
}

TEST(PairsInformationShare, FallsBackToOneHalf) {
  // Equal steps: every regressor column is constant or zero, the fit fails.
  HasbrouckInformationShare flat(6);
  Pairs ps;
  for (int i = 0; i < 8; ++i) ps.push_back({static_cast<double>(i), static_cast<double>(i)});
  const auto out = run(flat, ps);
  EXPECT_FALSE(out[6]);
  EXPECT_EQ(out[7], 0.5);
}

TEST(PairsRelativeStrength, RatioAverageAndRsi) {
  // Ratios 2, 3, 4, 3: Sma(2) 3.5, 3.5; Rsi(2) 100, then gains/losses 0.5/0.5: 50.
  RelativeStrengthAB rs(2, 2);
  const auto out = run(rs, {{2, 1}, {6, 2}, {4, 1}, {3, 1}});
  EXPECT_FALSE(out[1]);
  EXPECT_EQ(out[2], (std::array<double, 3>{4, 3.5, 100}));
  EXPECT_EQ(out[3], (std::array<double, 3>{3, 3.5, 50}));
  // A zero or non-finite reference value is skipped and changes nothing.
  RelativeStrengthAB skip(2, 2);
  const auto mixed = run(skip, {{2, 1}, {1, 0}, {6, 2}, {NaN, 1}, {4, 1}, {5, Inf}, {3, 1}});
  EXPECT_FALSE(mixed[1]);
  EXPECT_FALSE(mixed[3]);
  EXPECT_FALSE(mixed[5]);
  EXPECT_EQ(mixed[4], out[2]);
  EXPECT_EQ(mixed[6], out[3]);
}

}  // namespace
}  // namespace sorvik

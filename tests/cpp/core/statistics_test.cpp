// The rolling statistics and regressions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/statistics/autocorrelation.hpp"
#include "indicators/statistics/coefficient_of_variation.hpp"
#include "indicators/statistics/detrended_std_dev.hpp"
#include "indicators/statistics/hurst_exponent.hpp"
#include "indicators/statistics/jarque_bera.hpp"
#include "indicators/statistics/kurtosis.hpp"
#include "indicators/statistics/lin_reg_angle.hpp"
#include "indicators/statistics/lin_reg_channel.hpp"
#include "indicators/statistics/lin_reg_intercept.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/statistics/log_return.hpp"
#include "indicators/statistics/median_absolute_deviation.hpp"
#include "indicators/statistics/r_squared.hpp"
#include "indicators/statistics/regime_label.hpp"
#include "indicators/statistics/rolling_iqr.hpp"
#include "indicators/statistics/rolling_min_max_scaler.hpp"
#include "indicators/statistics/rolling_percentile_rank.hpp"
#include "indicators/statistics/rolling_quantile.hpp"
#include "indicators/statistics/sample_entropy.hpp"
#include "indicators/statistics/seasonal_z_score.hpp"
#include "indicators/statistics/shannon_entropy.hpp"
#include "indicators/statistics/skewness.hpp"
#include "indicators/statistics/standard_error.hpp"
#include "indicators/statistics/standard_error_bands.hpp"
#include "indicators/statistics/std_dev.hpp"
#include "indicators/statistics/trend_label.hpp"
#include "indicators/statistics/tsf.hpp"
#include "indicators/statistics/tsf_oscillator.hpp"
#include "indicators/statistics/variance.hpp"
#include "indicators/statistics/z_score.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Outs = std::vector<std::optional<double>>;

/// A deterministic wavy positive series.
double wave(int i) { return 100.0 + 10.0 * std::sin(i * 0.37) + 3.0 * std::cos(i * 1.91) + 0.05 * i; }

// ---------------------------------------------------------------------------------------------------
// Construction

TEST(Statistics, ConstructorChecksInOrder) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;  // nullptr: builds
  };
  const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string zero = "period must be greater than zero";
  const std::string mult = "multiplier must be greater than zero";
  const Case cases[] = {
      // zero, then MAX_PERIOD
      {"StdDev", {TINY}, zero.c_str()},
      {"StdDev", {16777217}, max.c_str()},
      {"StdDev", {16777216}, nullptr},
      {"Variance", {TINY}, zero.c_str()},
      {"Variance", {16777217}, max.c_str()},
      {"ZScore", {TINY}, zero.c_str()},
      {"ZScore", {16777217}, max.c_str()},
      {"CoefficientOfVariation", {TINY}, zero.c_str()},
      {"CoefficientOfVariation", {16777217}, max.c_str()},
      {"MedianAbsoluteDeviation", {TINY}, zero.c_str()},
      {"MedianAbsoluteDeviation", {16777217}, max.c_str()},
      {"RollingIqr", {TINY}, zero.c_str()},
      {"RollingIqr", {16777217}, max.c_str()},
      {"RollingPercentileRank", {TINY}, zero.c_str()},
      {"RollingPercentileRank", {16777217}, max.c_str()},
      {"LogReturn", {TINY}, zero.c_str()},
      {"LogReturn", {16777217}, max.c_str()},
      {"LogReturn", {16777216}, nullptr},
      // a minimum length with its own message (a zero gives that message too), then MAX_PERIOD
      {"Skewness", {2}, "invalid period: skewness needs period >= 3"},
      {"Skewness", {TINY}, "invalid period: skewness needs period >= 3"},
      {"Skewness", {16777217}, max.c_str()},
      {"Skewness", {3}, nullptr},
      {"Kurtosis", {3}, "invalid period: kurtosis needs period >= 4"},
      {"Kurtosis", {16777217}, max.c_str()},
      {"Kurtosis", {4}, nullptr},
      {"LinearRegression", {1}, "invalid period: linear regression needs period >= 2"},
      {"LinearRegression", {16777217}, max.c_str()},
      {"LinRegSlope", {1}, "invalid period: linear regression slope needs period >= 2"},
      {"LinRegSlope", {16777217}, max.c_str()},
      {"LinRegIntercept", {1}, "invalid period: linear regression intercept needs period >= 2"},
      {"LinRegIntercept", {16777217}, max.c_str()},
      {"LinRegAngle", {1}, "invalid period: linear regression slope needs period >= 2"},
      {"LinRegAngle", {16777217}, max.c_str()},
      {"Tsf", {1}, "invalid period: time series forecast needs period >= 2"},
      {"Tsf", {16777217}, max.c_str()},
      {"TsfOscillator", {1}, "invalid period: TSF oscillator needs period >= 2"},
      {"TsfOscillator", {16777217}, max.c_str()},
      {"RSquared", {1}, "invalid period: R² needs period >= 2"},
      {"RSquared", {16777217}, max.c_str()},
      {"StandardError", {2}, "invalid period: standard error needs period >= 3"},
      {"StandardError", {16777217}, max.c_str()},
      {"StandardError", {3}, nullptr},
      {"DetrendedStdDev", {1}, "invalid period: detrended stddev needs period >= 2"},
      {"DetrendedStdDev", {16777217}, max.c_str()},
      {"TrendLabel", {1}, "invalid period: trend label needs period >= 2"},
      {"TrendLabel", {16777217}, max.c_str()},
      {"RollingMinMaxScaler", {1}, "invalid period: min-max scaler needs period >= 2"},
      {"RollingMinMaxScaler", {16777217}, max.c_str()},
      {"JarqueBera", {3}, "invalid period: Jarque-Bera needs period >= 4"},
      {"JarqueBera", {16777217}, max.c_str()},
      // period, MAX_PERIOD, then the multiplier
      {"LinRegChannel", {1, 0}, "invalid period: linear regression channel needs period >= 2"},
      {"LinRegChannel", {16777217, 0}, max.c_str()},
      {"LinRegChannel", {5, 0}, mult.c_str()},
      {"LinRegChannel", {5, -2}, mult.c_str()},
      {"LinRegChannel", {2, 0.1}, nullptr},
      {"StandardErrorBands", {2, 0}, "invalid period: standard error bands need period >= 3"},
      {"StandardErrorBands", {16777217, 2}, max.c_str()},
      {"StandardErrorBands", {3, -0.0}, mult.c_str()},
      {"StandardErrorBands", {3, 0.1}, nullptr},
      // zero, MAX_PERIOD, then the quantile
      {"RollingQuantile", {TINY, 2}, zero.c_str()},
      {"RollingQuantile", {16777217, 2}, max.c_str()},
      {"RollingQuantile", {5, 1.5}, "invalid parameter: rolling quantile must be a finite value in [0.0, 1.0]"},
      {"RollingQuantile", {5, -0.1}, "invalid parameter: rolling quantile must be a finite value in [0.0, 1.0]"},
      {"RollingQuantile", {5, 0}, nullptr},
      {"RollingQuantile", {5, 1}, nullptr},
      // lag first, then period > lag; the period has no upper bound of its own
      {"Autocorrelation", {TINY, TINY}, "invalid period: autocorrelation lag must be >= 1"},
      {"Autocorrelation", {3, 3}, "invalid period: autocorrelation needs period > lag"},
      {"Autocorrelation", {TINY, 1}, "invalid period: autocorrelation needs period > lag"},
      {"Autocorrelation", {4, 3}, nullptr},
      {"Autocorrelation", {1e12, 1}, nullptr},
      // zero (period, then bins), bins >= 2, MAX_PERIOD on bins only
      {"ShannonEntropy", {TINY, 1}, zero.c_str()},
      {"ShannonEntropy", {5, TINY}, zero.c_str()},
      {"ShannonEntropy", {5, 1}, "invalid period: Shannon entropy needs bins >= 2"},
      {"ShannonEntropy", {5, 16777217}, max.c_str()},
      {"ShannonEntropy", {1e12, 16777216}, nullptr},
      // zero (period, then m), period >= m + 2, r_factor
      {"SampleEntropy", {TINY, TINY, -1}, zero.c_str()},
      {"SampleEntropy", {5, TINY, -1}, zero.c_str()},
      {"SampleEntropy", {3, 2, -1}, "invalid period: sample entropy needs period >= m + 2"},
      {"SampleEntropy", {5, 1.8446744073709552e19, 0.2}, "invalid period: sample entropy needs period >= m + 2"},
      {"SampleEntropy", {4, 2, 0}, "invalid parameter: sample entropy r_factor must be finite and positive"},
      {"SampleEntropy", {4, 2, -0.5}, "invalid parameter: sample entropy r_factor must be finite and positive"},
      {"SampleEntropy", {4, 2, 0.2}, nullptr},
      // chunks >= 2, MAX_PERIOD on chunks, period >= 2 * chunks
      {"HurstExponent", {TINY, 1}, "invalid period: Hurst chunks must be >= 2"},
      {"HurstExponent", {1e9, 16777217}, max.c_str()},
      {"HurstExponent", {7, 4}, "invalid period: Hurst period must be >= 2 * chunks"},
      {"HurstExponent", {8, 4}, nullptr},
      // vol_period, its bound, lookback, its bound
      {"RegimeLabel", {1, 1}, "invalid period: regime label needs vol_period >= 2"},
      {"RegimeLabel", {16777217, 1}, max.c_str()},
      {"RegimeLabel", {2, 1}, "invalid period: regime label needs lookback >= 2"},
      {"RegimeLabel", {2, 16777217}, max.c_str()},
      {"RegimeLabel", {2, 2}, nullptr},
      // only the factory's i32 rule
      {"SeasonalZScore", {2147483648.0}, "parameter #0 must be an i32, got 2147483648"},
      {"SeasonalZScore", {-2147483648.0}, nullptr},
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
  // Zeros the factory cannot hand over as such.
  EXPECT_EQ(StdDev::create(0).error(), IndicatorError::zero_period());
  EXPECT_EQ(RollingQuantile::create(0, NaN).error(), IndicatorError::zero_period());
  EXPECT_EQ(RollingQuantile::create(3, NaN).error().display(),
            "invalid parameter: rolling quantile must be a finite value in [0.0, 1.0]");
  EXPECT_EQ(LinRegChannel::create(3, Inf).error(), IndicatorError::non_positive_multiplier());
  EXPECT_EQ(SampleEntropy::create(6, 2, Inf).error().display(),
            "invalid parameter: sample entropy r_factor must be finite and positive");
}

// Every member yields first at its warm-up bar and on every valid bar after; a NaN close during the
// warm-up does not count.
TEST(Statistics, FirstValueAtWarmupThenEveryBar) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::uint64_t warmup;
  };
  const Case cases[] = {
      {"StdDev", {5}, 5},
      {"Variance", {5}, 5},
      {"ZScore", {5}, 5},
      {"CoefficientOfVariation", {5}, 5},
      {"Skewness", {5}, 5},
      {"Kurtosis", {5}, 5},
      {"LinearRegression", {5}, 5},
      {"LinRegSlope", {5}, 5},
      {"LinRegIntercept", {5}, 5},
      {"LinRegAngle", {5}, 5},
      {"Tsf", {5}, 5},
      {"TsfOscillator", {5}, 5},
      {"RSquared", {5}, 5},
      {"StandardError", {5}, 5},
      {"DetrendedStdDev", {5}, 5},
      {"LinRegChannel", {5, 2}, 5},
      {"StandardErrorBands", {5, 2}, 5},
      {"MedianAbsoluteDeviation", {5}, 5},
      {"RollingIqr", {5}, 5},
      {"RollingQuantile", {5, 0.3}, 5},
      {"RollingPercentileRank", {5}, 5},
      {"RollingMinMaxScaler", {5}, 5},
      {"Autocorrelation", {6, 2}, 6},
      {"JarqueBera", {5}, 5},
      {"ShannonEntropy", {8, 3}, 8},
      {"SampleEntropy", {8, 2, 0.2}, 8},
      {"HurstExponent", {8, 3}, 8},
      {"LogReturn", {3}, 4},
      {"LogReturn", {1}, 2},
      {"TrendLabel", {5}, 5},
      {"RegimeLabel", {3, 4}, 7},
  };
  for (const auto& c : cases) {
    auto made = create_indicator(c.name, c.params);
    ASSERT_TRUE(made.has_value()) << c.name << ": " << made.error().display();
    auto& ind = **made;
    EXPECT_EQ(ind.warmup_period(), c.warmup) << c.name;
    EXPECT_FALSE(ind.update(bar(wave(0))).has_value()) << c.name;
    EXPECT_FALSE(ind.update(bar(NaN)).has_value()) << c.name;
    for (int i = 2; i <= 40; ++i) {
      const auto v = ind.update(bar(wave(i)));
      EXPECT_EQ(v.has_value(), static_cast<std::uint64_t>(i) >= c.warmup) << c.name << " bar " << i;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << c.name << " bar " << i;
      }
    }
  }
}

// A flat window answers each member's flat value, also when the rounded mean of the window differs
// from the common value (0.1 repeated ten times sums to 0.9999999999999999).
TEST(Statistics, FlatWindowsGiveTheirFlatValues) {
  struct Case {
    const char* name;
    std::vector<double> params;
    double flat;
  };
  const Case cases[] = {
      {"StdDev", {10}, 0.0},
      {"Variance", {10}, 0.0},
      {"ZScore", {10}, 0.0},
      {"Skewness", {10}, 0.0},
      {"Kurtosis", {10}, 0.0},
      {"LinRegSlope", {10}, 0.0},
      {"RSquared", {10}, 1.0},
      {"StandardError", {10}, 0.0},
      {"DetrendedStdDev", {10}, 0.0},
      {"TrendLabel", {10}, 0.0},
      {"MedianAbsoluteDeviation", {10}, 0.0},
      {"RollingIqr", {10}, 0.0},
      {"RollingPercentileRank", {10}, 50.0},
      {"RollingMinMaxScaler", {10}, 0.5},
      {"Autocorrelation", {10, 1}, 0.0},
      {"JarqueBera", {10}, 0.0},
      {"ShannonEntropy", {10, 4}, 0.0},
      {"SampleEntropy", {10, 2, 0.2}, 0.0},
      {"HurstExponent", {10, 3}, 0.5},
  };
  for (double level : {0.1, 0.3, 100.7, 7.0}) {
    for (const auto& c : cases) {
      auto ind = std::move(*create_indicator(c.name, c.params));
      std::optional<double> v;
      for (int i = 0; i < 25; ++i) v = ind->update(bar(level));
      ASSERT_TRUE(v.has_value()) << c.name;
      EXPECT_EQ(*v, c.flat) << c.name << " at " << level;
      EXPECT_FALSE(std::signbit(*v)) << c.name << " at " << level;
    }
  }
}

TEST(Statistics, ChannelAndBandsPublishUpperMiddleLower) {
  for (const char* name : {"LinRegChannel", "StandardErrorBands"}) {
    auto ind = std::move(*create_indicator(name, std::vector<double>{4, 2}));
    for (double x : {1.0, 3.0, 2.0}) EXPECT_FALSE(ind->update(bar(x)).has_value()) << name;
    EXPECT_TRUE(ind->extra_outputs().empty()) << name;
    const auto primary = ind->update(bar(5.0));
    ASSERT_TRUE(primary.has_value()) << name;
    const auto named = ind->extra_outputs();
    ASSERT_EQ(named.size(), 3u) << name;
    EXPECT_EQ(named[0].name, "upper");
    EXPECT_EQ(named[1].name, "middle");
    EXPECT_EQ(named[2].name, "lower");
    EXPECT_EQ(*primary, named[0].value);
    EXPECT_GT(named[0].value, named[1].value);
    EXPECT_NEAR(named[1].value - named[2].value, named[0].value - named[1].value, 1e-12);
  }
}

// ---------------------------------------------------------------------------------------------------
// Moments

// Window {2, 4, 4, 6} (re-anchored at push 4 on its mean 4), then {4, 4, 6, 8} reached incrementally:
// mean 5.5, variance 2.75, central m3 = 2.25, m4 = 12.3125; every intermediate is exact in binary.
TEST(Statistics, MomentsOnAHandCheckedWindow) {
  const std::vector<double> xs{2, 4, 4, 6, 8};
  StdDev sd(4);
  Variance var(4);
  ZScore z(4);
  CoefficientOfVariation cv(4);
  Skewness sk(4);
  Kurtosis ku(4);
  EXPECT_EQ(run(var, xs), (Outs{std::nullopt, std::nullopt, std::nullopt, 2.0, 2.75}));
  EXPECT_EQ(run(sd, xs), (Outs{std::nullopt, std::nullopt, std::nullopt, std::sqrt(2.0), std::sqrt(2.75)}));
  const auto zs = run(z, xs);
  EXPECT_EQ(zs[3], (6.0 - 4.0) / std::sqrt(2.0));
  EXPECT_EQ(zs[4], (8.0 - 5.5) / std::sqrt(2.75));
  EXPECT_EQ(last(cv, xs), std::sqrt(2.75) / 5.5);
  const auto sks = run(sk, xs);
  EXPECT_EQ(sks[3], 0.0);
  EXPECT_EQ(sks[4], 2.25 / (std::sqrt(2.75) * 2.75));
  const auto kus = run(ku, xs);
  EXPECT_EQ(kus[3], 8.0 / (2.0 * 2.0) - 3.0);
  EXPECT_EQ(kus[4], 12.3125 / (2.75 * 2.75) - 3.0);
}

TEST(Statistics, MomentGuardsOnFlatAndZeroMeanWindows) {
  const std::vector<double> flat(7, 5.0);
  StdDev sd(4);
  ZScore z(4);
  Skewness sk(4);
  Kurtosis ku(4);
  CoefficientOfVariation cv(4);
  EXPECT_EQ(last(sd, flat), 0.0);
  EXPECT_EQ(last(z, flat), 0.0);
  EXPECT_EQ(last(sk, flat), 0.0);
  EXPECT_EQ(last(ku, flat), 0.0);
  EXPECT_EQ(last(cv, flat), 0.0);
  // Mean 0 gives 0; a negative mean keeps its sign.
  CoefficientOfVariation cv0(2);
  EXPECT_EQ(last(cv0, {-1, 1}), 0.0);
  CoefficientOfVariation cvn(4);
  EXPECT_EQ(last(cvn, {-2, -4, -4, -6}), std::sqrt(2.0) / -4.0);
}

// The sums are re-anchored every n pushes counted from construction: a huge value leaves no residue
// once it has left the window and the next re-anchoring has happened.
TEST(Statistics, MomentSumsReanchorEveryPeriodPushes) {
  Variance var(2);
  const auto out = run(var, {0.3, 1e17, 0.4, 0.5, 0.7});
  EXPECT_EQ(out[2], 2.5e33);
  // Push 4 re-anchors on the mean of {0.4, 0.5}: the value is the exact two-value variance.
  const double k = (0.4 + 0.5) / 2.0;
  const double d1 = 0.4 - k;
  const double d2 = 0.5 - k;
  const double a = (d1 + d2) / 2.0;
  const double b = (d1 * d1 + d2 * d2) / 2.0;
  EXPECT_EQ(out[3], b - a * a);
  EXPECT_NEAR(*out[4], 0.01, 1e-15);
}

TEST(Statistics, StdDevOfNoiseOnALargeOffsetStaysAccurate) {
  const double noise[] = {0.25, -0.5, 0.75, 0.0, -0.25, 1.0, -1.0, 0.5, -0.75, 0.25, 0.5};
  StdDev sd(10);
  std::optional<double> got;
  std::vector<double> tail;
  for (int i = 0; i < 100000; ++i) {
    const double e = noise[i % 11];
    got = sd.update(1e9 + e);
    tail.push_back(e);
    if (tail.size() > 10) tail.erase(tail.begin());
  }
  double mean = 0.0;
  for (double e : tail) mean += e;
  mean /= 10.0;
  double ss = 0.0;
  for (double e : tail) ss += (e - mean) * (e - mean);
  ASSERT_TRUE(got.has_value());
  EXPECT_NEAR(*got, std::sqrt(ss / 10.0), 1e-6);
}

// ---------------------------------------------------------------------------------------------------
// Regression

// y = 1, 3, 2, 5: slope 1.1, intercept 1.1, end value 4.4, forecast 5.5, R² = 6.05 / 8.75; then the
// window 3, 2, 5, 4 reached incrementally: slope 0.6, intercept 2.6, end 4.4, forecast 5, R² 0.36.
TEST(Statistics, RegressionOnAHandCheckedWindow) {
  const std::vector<double> xs{1, 3, 2, 5, 4};
  LinRegSlope slope(4);
  LinRegIntercept icpt(4);
  LinearRegression lr(4);
  Tsf tsf(4);
  LinRegAngle angle(4);
  RSquared r2(4);
  const auto s = run(slope, xs);
  const auto i = run(icpt, xs);
  const auto l = run(lr, xs);
  const auto f = run(tsf, xs);
  const auto g = run(angle, xs);
  const auto r = run(r2, xs);
  EXPECT_FALSE(s[2].has_value());
  EXPECT_DOUBLE_EQ(*s[3], 1.1);
  EXPECT_DOUBLE_EQ(*i[3], 1.1);
  EXPECT_DOUBLE_EQ(*l[3], 4.4);
  EXPECT_DOUBLE_EQ(*f[3], 5.5);
  EXPECT_EQ(*g[3], std::atan(*s[3]) * 57.29577951308232);
  EXPECT_DOUBLE_EQ(*r[3], 6.05 / 8.75);
  EXPECT_DOUBLE_EQ(*s[4], 0.6);
  EXPECT_DOUBLE_EQ(*i[4], 2.6);
  EXPECT_DOUBLE_EQ(*l[4], 4.4);
  EXPECT_DOUBLE_EQ(*f[4], 5.0);
  EXPECT_DOUBLE_EQ(*r[4], 0.36);
}

TEST(Statistics, RegressionOnLinearAndFlatSeries) {
  const std::vector<double> line{1, 3, 5, 7, 9, 11};
  LinearRegression lr(4);
  Tsf tsf(4);
  LinRegSlope slope(4);
  RSquared r2(4);
  StandardError se(4);
  DetrendedStdDev dsd(4);
  LinRegChannel ch(4, 2.0);
  StandardErrorBands bands(4, 2.0);
  EXPECT_EQ(last(lr, line), 11.0);
  EXPECT_EQ(last(tsf, line), 13.0);
  EXPECT_EQ(last(slope, line), 2.0);
  EXPECT_EQ(last(r2, line), 1.0);
  EXPECT_EQ(last(se, line), 0.0);
  EXPECT_EQ(last(dsd, line), 0.0);
  EXPECT_EQ(last(ch, line), (std::array<double, 3>{11.0, 11.0, 11.0}));
  EXPECT_EQ(last(bands, line), (std::array<double, 3>{11.0, 11.0, 11.0}));
  // A flat window has no variation to explain: R² is 1, the slope 0.
  const std::vector<double> flat(6, 0.1);
  RSquared r2f(4);
  LinRegSlope sf(4);
  EXPECT_EQ(last(r2f, flat), 1.0);
  EXPECT_EQ(last(sf, flat), 0.0);
}

TEST(Statistics, RegressionSumsReanchorEveryPeriodPushes) {
  LinRegSlope slope(2);
  const auto out = run(slope, {0.3, 1e17, 0.4, 0.5, 0.7});
  EXPECT_NEAR(*out[3], 0.1, 1e-15);
  EXPECT_NEAR(*out[4], 0.2, 1e-15);
}

TEST(Statistics, TsfOscillatorRepeatsItsAnswerOnAZeroClose) {
  TsfOscillator osc(4);
  const auto out = run(osc, {1, 3, 2, 5, 4, 0, 0, 6});
  EXPECT_NEAR(*out[4], (4.0 - 5.0) * 100.0 / 4.0, 1e-12);
  EXPECT_EQ(out[5], out[4]);
  EXPECT_EQ(out[6], out[4]);
  // The zeros still entered the window: window 5, 4, 0, 0 -> 4, 0, 0, 6.
  Tsf tsf(4);
  const double f = *last(tsf, {1, 3, 2, 5, 4, 0, 0, 6});
  EXPECT_EQ(out[7], (6.0 - f) * 100.0 / 6.0);
  // A zero on the first full window has nothing to repeat.
  TsfOscillator first(2);
  EXPECT_EQ(run(first, {1, 0, 2}), (Outs{std::nullopt, std::nullopt, (2.0 - 4.0) * 100.0 / 2.0}));
}

// y = 1, 3, 2, 5: fitted 1.1, 2.2, 3.3, 4.4, residuals -0.1, 0.8, -1.3, 0.6, Σr² = 2.7.
TEST(Statistics, ResidualMembersOnAHandCheckedWindow) {
  const std::vector<double> xs{1, 3, 2, 5};
  StandardError se(4);
  DetrendedStdDev dsd(4);
  LinRegChannel ch(4, 2.0);
  StandardErrorBands bands(4, 2.0);
  EXPECT_NEAR(*last(se, xs), std::sqrt(2.7 / 2.0), 1e-14);
  EXPECT_NEAR(*last(dsd, xs), std::sqrt(2.7 / 4.0), 1e-14);
  const auto c = *last(ch, xs);
  EXPECT_NEAR(c[1], 4.4, 1e-14);
  EXPECT_NEAR(c[0], 4.4 + 2.0 * std::sqrt(2.7 / 4.0), 1e-14);
  EXPECT_NEAR(c[2], 4.4 - 2.0 * std::sqrt(2.7 / 4.0), 1e-14);
  const auto b = *last(bands, xs);
  EXPECT_EQ(b[1], c[1]);
  EXPECT_NEAR(b[0], 4.4 + 2.0 * std::sqrt(2.7 / 2.0), 1e-14);
  EXPECT_NEAR(b[2], 4.4 - 2.0 * std::sqrt(2.7 / 2.0), 1e-14);
}

TEST(Statistics, TrendLabelIsTheSignOfTheSlope) {
  struct Case {
    std::vector<double> xs;
    double label;
  };
  const Case cases[] = {
      {{1, 3, 2, 5}, 1.0}, {{5, 2, 3, 1}, -1.0}, {{1, 2, 1}, 0.0}, {{0.1, 0.1, 0.1}, 0.0}, {{9, 1, 5, 5}, -1.0},
  };
  for (const auto& c : cases) {
    TrendLabel t(c.xs.size());
    EXPECT_EQ(last(t, c.xs), c.label);
  }
}

// ---------------------------------------------------------------------------------------------------
// Order statistics

TEST(Statistics, QuantilesInterpolateBetweenSortedPositions) {
  struct Case {
    double q;
    double expected;
  };
  // Window 1, 9, 3, 5 sorted 1, 3, 5, 9.
  const Case cases[] = {{0.0, 1.0}, {1.0, 9.0}, {0.5, 4.0}, {0.25, 2.5}, {0.75, 6.0}, {0.9, 5.0 + 4.0 * (0.9 * 3.0 - 2.0)}};
  for (const auto& c : cases) {
    RollingQuantile q(4, c.q);
    EXPECT_EQ(last(q, {1, 9, 3, 5}), c.expected) << c.q;
  }
  RollingQuantile median(4, 0.5);
  EXPECT_EQ(run(median, {1, 9, 3, 5, 7}).back(), 6.0);  // window 9, 3, 5, 7
  RollingQuantile one(1, 0.3);
  EXPECT_EQ(run(one, {4, 2}), (Outs{4.0, 2.0}));
  RollingIqr iqr(4);
  EXPECT_EQ(last(iqr, {1, 9, 3, 5}), 6.0 - 2.5);
  EXPECT_EQ(last(iqr, {1, 9, 3, 5, 7}), 7.5 - 4.5);
}

TEST(Statistics, PercentileRankCountsTiesAsHalf) {
  struct Case {
    std::vector<double> xs;
    double expected;
  };
  const Case cases[] = {
      {{1, 9, 3, 3}, 50.0},         // 1 below, 2 equal
      {{1, 9, 3, 3, 5}, 62.5},      // window 9, 3, 3, 5: 2 below, 1 equal
      {{4, 4, 4, 4}, 50.0},         // flat
      {{5, 6, 7, 1}, 12.5},         // a unique minimum ranks 50 / n
      {{5, 6, 7, 9}, 87.5},         // a unique maximum
      {{1, 2, 0.0, -0.0}, 25.0},    // -0 and +0 are equal
  };
  for (const auto& c : cases) {
    RollingPercentileRank r(4);
    EXPECT_EQ(last(r, c.xs), c.expected);
  }
}

TEST(Statistics, MinMaxScalerAndItsFlatGuard) {
  RollingMinMaxScaler s(3);
  EXPECT_EQ(run(s, {1, 5, 2, 3}), (Outs{std::nullopt, std::nullopt, 0.25, 1.0 / 3.0}));
  RollingMinMaxScaler flat(3);
  EXPECT_EQ(last(flat, {2, 2, 2}), 0.5);
}

TEST(Statistics, MedianAbsoluteDeviation) {
  struct Case {
    std::vector<double> xs;
    double expected;
  };
  const Case cases[] = {
      {{1, 2, 3, 4, 100}, 1.0},         // deviations 0, 1, 1, 2, 97
      {{1, 2, 4, 10}, 1.5},             // median 3, deviations 1, 1, 2, 7
      {{10, 11, 12, 13, 0}, 1.0},       // an outlier on the left
      {{1, 2, 3, 100, 200}, 2.0},       // the left side runs out
      {{0, 1, 2, 3, 50, 60}, 2.0},      // median 2.5, deviations 0.5, 0.5, 1.5, 2.5, 47.5, 57.5
      {{7, 7, 7}, 0.0},
  };
  for (const auto& c : cases) {
    MedianAbsoluteDeviation mad(c.xs.size());
    EXPECT_EQ(last(mad, c.xs), c.expected);
  }
  // Sliding over a wave, the merge agrees with sorting the deviations.
  for (std::uint64_t n : {1u, 2u, 5u, 8u}) {
    MedianAbsoluteDeviation mad(n);
    std::vector<double> held;
    for (int i = 0; i < 60; ++i) {
      const double x = std::round(wave(i));  // rounding makes ties
      const auto got = mad.update(x);
      held.push_back(x);
      if (held.size() > n) held.erase(held.begin());
      if (held.size() < n) continue;
      auto med = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        const std::size_t m = v.size();
        return m % 2 == 1 ? v[m / 2] : midpoint(v[m / 2 - 1], v[m / 2]);
      };
      const double center = med(held);
      std::vector<double> dev;
      for (double v : held) dev.push_back(std::fabs(v - center));
      EXPECT_EQ(got, med(dev)) << "n=" << n << " i=" << i;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Serial dependence and complexity

TEST(Statistics, AutocorrelationOnAHandCheckedWindow) {
  Autocorrelation lag1(4, 1);
  Autocorrelation lag2(4, 2);
  // Deviations from 2.5: -1.5, -0.5, 0.5, 1.5; denominator 5.
  EXPECT_EQ(last(lag1, {1, 2, 3, 4}), 1.25 / 5.0);
  EXPECT_EQ(last(lag2, {1, 2, 3, 4}), -1.5 / 5.0);
  Autocorrelation flat(3, 1);
  EXPECT_EQ(last(flat, {2, 2, 2}), 0.0);
}

TEST(Statistics, JarqueBeraOnHandCheckedWindows) {
  JarqueBera jb(4);
  // 1, 2, 3, 4: m2 = 1.25, S = 0, K = 2.5625 / 1.5625 - 3 = -1.36.
  EXPECT_NEAR(*last(jb, {1, 2, 3, 4}), 1.36 * 1.36 * 0.25 * (4.0 / 6.0), 1e-14);
  // 1, 1, 1, 5: m2 = 3, S = 6 / (3·√3), K = 21 / 9 - 3; the statistic is 26 / 27.
  JarqueBera skewed(4);
  EXPECT_NEAR(*last(skewed, {1, 1, 1, 5}), 26.0 / 27.0, 1e-14);
  JarqueBera flat(4);
  EXPECT_EQ(last(flat, {3, 3, 3, 3}), 0.0);
}

TEST(Statistics, ShannonEntropyOnHandCheckedWindows) {
  struct Case {
    std::uint64_t n;
    std::uint64_t bins;
    std::vector<double> xs;
    double expected;
  };
  const double third = 1.0 / 3.0;
  const Case cases[] = {
      {4, 2, {0, 1, 2, 3}, 1.0},    // bins 0, 0, 1, 1
      {4, 4, {0, 1, 2, 3}, 2.0},    // one value per bin, the maximum capped into the last
      {4, 10, {0, 1, 2, 3}, 2.0},   // more bins than values
      {4, 10, {0, 0, 3, 3}, 1.0},
      {3, 2, {0, 0, 1}, -((2.0 / 3.0) * std::log2(2.0 / 3.0) + third * std::log2(third))},
      {4, 3, {5, 5, 5, 5}, 0.0},    // flat
  };
  for (const auto& c : cases) {
    ShannonEntropy h(c.n, c.bins);
    EXPECT_EQ(last(h, c.xs), c.expected) << c.n << "/" << c.bins;
  }
  // Counting by table (bins <= n) and by sorted bin numbers (bins > n) agree with a plain histogram.
  for (std::uint64_t bins : {2u, 5u, 7u, 20u}) {
    ShannonEntropy h(7, bins);
    std::vector<double> held;
    for (int i = 0; i < 40; ++i) {
      const auto got = h.update(wave(i));
      held.push_back(wave(i));
      if (held.size() > 7) held.erase(held.begin());
      if (held.size() < 7) continue;
      const double lo = *std::min_element(held.begin(), held.end());
      const double hi = *std::max_element(held.begin(), held.end());
      std::map<std::uint64_t, int> counts;
      for (double v : held) {
        const auto k = static_cast<std::uint64_t>(std::floor((v - lo) / ((hi - lo) / static_cast<double>(bins))));
        ++counts[std::min<std::uint64_t>(k, bins - 1)];
      }
      double s = 0.0;
      for (const auto& [k, cnt] : counts) {
        const double p = cnt / 7.0;
        s = s + p * std::log2(p);
      }
      EXPECT_EQ(got, -s) << "bins=" << bins << " i=" << i;
    }
  }
}

TEST(Statistics, SampleEntropyOnHandCheckedWindows) {
  struct Case {
    std::uint64_t n;
    std::uint64_t m;
    double r;
    std::vector<double> xs;
    double expected;
  };
  const Case cases[] = {
      {5, 1, 0.5, {1, 2, 1, 2, 2}, std::log(2.0)},       // B = 2, A = 1
      {6, 1, 0.1, {1, 5, 1, 9, 1, 13}, std::log(3.0)},   // B = 3, A = 0: ln B
      {5, 1, 0.1, {1, 2, 3, 4, 5}, 0.0},                 // B = 0
      {5, 2, 0.2, {4, 4, 4, 4, 4}, 0.0},                 // σ = 0
      {5, 1, 0.5, {1, 2, 1, 2, 1}, 0.0},                 // A = B
  };
  for (const auto& c : cases) {
    SampleEntropy se(c.n, c.m, c.r);
    EXPECT_DOUBLE_EQ(*last(se, c.xs), c.expected);
  }
  // m = 2 on 1, 2, 1, 2, 1, 2: starts 0..3, matching template pairs (0, 2), (1, 3), all extend.
  SampleEntropy m2(6, 2, 0.2);
  EXPECT_EQ(last(m2, {1, 2, 1, 2, 1, 2}), 0.0);
}

TEST(Statistics, HurstExponentOnHandCheckedWindows) {
  // 1, 2, 3, 4 with two chunk counts: R/S = 4/√5 over the whole window, 1 over each half; the slope
  // through (ln 2, 0) and (ln 4, ln(4/√5)) is 2 - log2(5)/2.
  HurstExponent h(4, 2);
  EXPECT_NEAR(*last(h, {1, 2, 3, 4}), 2.0 - 0.5 * std::log2(5.0), 1e-14);
  // Flat halves are skipped, leaving a single point: 0.5.
  HurstExponent one_point(4, 2);
  EXPECT_EQ(last(one_point, {1, 1, 2, 2}), 0.5);
  HurstExponent flat(8, 3);
  EXPECT_EQ(last(flat, std::vector<double>(8, 5.0)), 0.5);
  // A trending window answers within [0, 1].
  HurstExponent trend(32, 4);
  std::vector<double> xs;
  for (int i = 0; i < 32; ++i) xs.push_back(i * i);
  const double v = *last(trend, xs);
  EXPECT_GE(v, 0.0);
  EXPECT_LE(v, 1.0);
}

// ---------------------------------------------------------------------------------------------------
// Returns and labels

TEST(Statistics, LogReturnSkipsNonPositivePrices) {
  LogReturn one(1);
  EXPECT_EQ(run(one, {100, 110, 0, -5, NaN, 121}),
            (Outs{std::nullopt, std::log(110.0 / 100.0), std::nullopt, std::nullopt, std::nullopt,
                  std::log(121.0 / 110.0)}));
  LogReturn two(2);
  EXPECT_EQ(run(two, {1, -1, 0, 2, 4}), (Outs{std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::log(4.0)}));
}

// Closes 1, 2, 4, 64, 256, 1024, 2^20 give log returns ln2 times 1, 1, 4, 2, 2, 10; with vol_period 2
// the sample σ is proportional to 0, 3, 2, 0, 8. Over the last three σ: 2 sits between the quartiles
// of {0, 3, 2}, 0 is below the first of {3, 2, 0}, 8 above the third of {2, 0, 8}.
TEST(Statistics, RegimeLabelRanksVolatilityAgainstItsQuartiles) {
  RegimeLabel r(2, 3);
  EXPECT_EQ(run(r, {1, 2, 4, 64, 256, 1024, 1048576}),
            (Outs{std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0.0, -1.0, 1.0}));
  // Non-positive prices are skipped without breaking the return chain.
  RegimeLabel s(2, 3);
  EXPECT_EQ(run(s, {1, 2, 0, 4, -3, 64, 256, NaN, 1024, 1048576}),
            (Outs{std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0.0,
                  std::nullopt, -1.0, 1.0}));
}

TEST(Statistics, SeasonalZScoreHourOfDay) {
  struct Case {
    std::int32_t offset;
    std::int64_t time_ms;
    std::uint32_t hour;
  };
  const Case cases[] = {
      {0, 0, 0},          {0, 3599999, 0},       {0, 3600000, 1},   {0, -1, 23},
      {-60, 0, 23},       {330, 0, 5},           {0, 86400000LL * 3 + 7200000, 2},
      {1439, 0, 23},      {-1440, 3600000, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SeasonalZScore(c.offset).hour_of(c.time_ms), c.hour) << c.offset << " " << c.time_ms;
  }
}

TEST(Statistics, SeasonalZScoreUsesTheHoursEarlierReturns) {
  auto candle = [](double close, std::int64_t hour) {
    return Candle{hour * 3600000, close, close, close, close, 1.0};
  };
  // One hour: returns 1, -0.5, 1; the third is scored against mean 0.25 and M2 1.125 (divisor 1).
  SeasonalZScore z(0);
  EXPECT_FALSE(z.update(candle(1, 4)).has_value());
  EXPECT_FALSE(z.update(candle(2, 4)).has_value());
  EXPECT_FALSE(z.update(candle(1, 4)).has_value());
  EXPECT_EQ(z.update(candle(2, 4)), 0.75 / std::sqrt(1.125));
  // An invalid candle changes nothing.
  EXPECT_FALSE(z.update(Candle{4 * 3600000, 1, 0.5, 1, 1, 1}).has_value());
  // Two interleaved hours: each answers from its own third bar.
  SeasonalZScore two(0);
  Outs out;
  for (int i = 0; i < 8; ++i) out.push_back(two.update(candle(1.0 + i % 3, i % 2 == 0 ? 1 : 2)));
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(out[static_cast<std::size_t>(i)].has_value()) << i;
  for (int i = 5; i < 8; ++i) EXPECT_TRUE(out[static_cast<std::size_t>(i)].has_value()) << i;
  // A flat series and a previous close of 0 give returns of 0 and a zero variance: z = 0.
  SeasonalZScore flat(0);
  Outs f;
  for (double c : {0.0, 0.0, 0.0, 0.0}) f.push_back(flat.update(candle(c, 0)));
  EXPECT_EQ(f, (Outs{std::nullopt, std::nullopt, std::nullopt, 0.0}));
  // Through the factory: warm-up 2, the hour taken with the offset.
  auto ind = std::move(*create_indicator("SeasonalZScore", std::vector<double>{-90}));
  EXPECT_EQ(ind->warmup_period(), 2u);
}

}  // namespace
}  // namespace sorvik

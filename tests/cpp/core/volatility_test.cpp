// Return-based volatility estimators: close-to-close and range-based, exponential and GARCH,
// realised and bipower variation, jumps, the volatility cone, vol-of-vol and the RVI.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/volatility/bipower_variation.hpp"
#include "indicators/volatility/ewma_volatility.hpp"
#include "indicators/volatility/garch11.hpp"
#include "indicators/volatility/garman_klass_volatility.hpp"
#include "indicators/volatility/historical_volatility.hpp"
#include "indicators/volatility/jump_indicator.hpp"
#include "indicators/volatility/parkinson_volatility.hpp"
#include "indicators/volatility/realized_volatility.hpp"
#include "indicators/volatility/rogers_satchell_volatility.hpp"
#include "indicators/volatility/rvi_volatility.hpp"
#include "indicators/volatility/volatility_cone.hpp"
#include "indicators/volatility/volatility_of_volatility.hpp"
#include "indicators/volatility/yang_zhang_volatility.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

/// A deterministic wavy series of valid candles with positive prices.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i + 3.0 * std::sin(i * 2.1);
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1) + 1.5 * std::cos(i * 1.3);
  return candle(o, std::max(o, c) + 1.5 + 0.5 * std::cos(i * 0.9), std::min(o, c) - 1.0, c);
}

// Two-pass references (mean first, then squared deviations) for the tolerance checks.
double mean_of(const std::vector<double>& v) {
  double s = 0.0;
  for (double x : v) s += x;
  return s / static_cast<double>(v.size());
}
double sample_variance(const std::vector<double>& v) {
  const double m = mean_of(v);
  double s = 0.0;
  for (double x : v) s += (x - m) * (x - m);
  return s / static_cast<double>(v.size() - 1);
}
std::vector<double> last(const std::vector<double>& v, std::size_t n) {
  return {v.end() - static_cast<std::ptrdiff_t>(n), v.end()};
}
void expect_close(double got, double want, const std::string& what) {
  EXPECT_NEAR(got, want, 1e-9 * std::max(1.0, std::fabs(want))) << what;
}

// ---------------------------------------------------------------------------------------------------
// The whole family through the factory

struct Member {
  const char* name;
  std::vector<double> params;
  std::uint64_t warmup;
  bool scalar;       // reads the close only
  bool log_returns;  // refuses non-positive prices
};

const std::vector<Member>& members() {
  static const std::vector<Member> m = {
      {"HistoricalVolatility", {5, 252}, 6, true, true},
      {"ParkinsonVolatility", {5, 252}, 5, false, true},
      {"GarmanKlassVolatility", {5, 252}, 5, false, true},
      {"RogersSatchellVolatility", {5, 252}, 5, false, true},
      {"YangZhangVolatility", {5, 252}, 6, false, true},
      {"EwmaVolatility", {0.94}, 2, true, true},
      {"Garch11", {0.00001, 0.1, 0.85}, 2, true, true},
      {"RealizedVolatility", {5}, 6, true, true},
      {"BipowerVariation", {5}, 6, true, true},
      {"JumpIndicator", {5, 2}, 7, true, true},
      {"VolatilityCone", {4, 6}, 10, false, false},  // repeats its outputs on a non-positive close
      {"VolatilityOfVolatility", {4, 3}, 7, true, true},
      {"RviVolatility", {5}, 9, true, false},
  };
  return m;
}

TEST(Volatility, FirstValueAtWarmupThenEveryBar) {
  for (const auto& m : members()) {
    auto ind = make(m.name, m.params);
    ASSERT_TRUE(ind) << m.name;
    EXPECT_EQ(ind->warmup_period(), m.warmup) << m.name;
    for (int i = 1; i <= 60; ++i) {
      const auto v = ind->update(bar(wave(i)));
      EXPECT_EQ(v.has_value(), static_cast<std::uint64_t>(i) >= m.warmup) << m.name << " bar " << i;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << m.name << " bar " << i;
      }
    }
  }
}

// Refused bars (a non-finite close, an invalid candle, for the log-return members a non-positive
// price) neither count towards the warm-up nor change any later value.
TEST(Volatility, RefusedBarsChangeNothing) {
  const int bad_after[] = {0, 1, 4, 9, 15};
  for (const auto& m : members()) {
    auto clean = make(m.name, m.params);
    auto noisy = make(m.name, m.params);
    ASSERT_TRUE(clean && noisy) << m.name;
    for (int i = 1; i <= 40; ++i) {
      if (std::find(std::begin(bad_after), std::end(bad_after), i - 1) != std::end(bad_after)) {
        std::vector<Candle> refused;
        Candle c = wave(i);
        c.close = NaN;
        refused.push_back(c);
        c.close = Inf;
        refused.push_back(c);
        if (!m.scalar) {
          c = wave(i);
          std::swap(c.high, c.low);
          refused.push_back(c);
          c = wave(i);
          c.volume = -1.0;
          refused.push_back(c);
        }
        if (m.log_returns) {
          refused.push_back(candle(0.0, 0.0, 0.0, 0.0));
          refused.push_back(candle(1.0, 2.0, -1.0, -0.5));
          if (!m.scalar) refused.push_back(candle(1.0, 2.0, 0.0, 1.5));  // a zero low only
        }
        for (const Candle& r : refused) EXPECT_FALSE(noisy->update(bar(r)).has_value()) << m.name;
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

TEST(Volatility, ConstructorMessagesInCheckOrder) {
  const std::string zero = "period must be greater than zero";
  const std::string too_long = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string garch = "invalid parameter: GARCH(1,1) ";
  struct Case {
    const char* name;
    std::vector<double> params;
    std::string text;  // empty: builds
  };
  const Case cases[] = {
      {"HistoricalVolatility", {1, 252}, "invalid period: historical volatility period must be >= 2"},
      {"HistoricalVolatility", {16777217, 252}, too_long},
      {"HistoricalVolatility", {16777216, 252}, ""},
      {"HistoricalVolatility", {2, 1}, ""},
      {"YangZhangVolatility", {1, 252}, "invalid period: Yang-Zhang period must be >= 2"},
      {"YangZhangVolatility", {16777217, 252}, too_long},
      {"YangZhangVolatility", {2, 252}, ""},
      // The range estimators test their window for zero only.
      {"ParkinsonVolatility", {16777217, 252}, ""},
      {"GarmanKlassVolatility", {16777217, 252}, ""},
      {"RogersSatchellVolatility", {1, 1}, ""},
      {"EwmaVolatility", {0}, "invalid parameter: EWMA volatility lambda must be in the open interval (0, 1)"},
      {"EwmaVolatility", {1}, "invalid parameter: EWMA volatility lambda must be in the open interval (0, 1)"},
      {"EwmaVolatility", {-0.5}, "invalid parameter: EWMA volatility lambda must be in the open interval (0, 1)"},
      {"EwmaVolatility", {0.999999}, ""},
      {"Garch11", {0.1, 0.5, 0.5}, garch + "requires alpha + beta < 1 (covariance stationarity)"},
      {"Garch11", {0, 0.1, 0.1}, garch + "omega must be > 0"},
      {"Garch11", {-1, -0.1, 0.5}, garch + "omega must be > 0"},  // omega before the signs
      {"Garch11", {0.1, -0.1, 2}, garch + "alpha and beta must be >= 0"},
      {"Garch11", {0.1, 0.5, -0.1}, garch + "alpha and beta must be >= 0"},
      {"Garch11", {0.1, 0.6, 0.5}, garch + "requires alpha + beta < 1 (covariance stationarity)"},
      {"Garch11", {0.1, 0, 0}, ""},
      {"Garch11", {0.1, 0.5, 0.4999}, ""},
      {"RealizedVolatility", {16777217}, too_long},
      {"RealizedVolatility", {1}, ""},
      {"BipowerVariation", {16777217}, too_long},
      {"BipowerVariation", {1}, "invalid period: bipower variation period must be >= 2"},
      {"BipowerVariation", {2}, ""},
      {"JumpIndicator", {1, 2}, "invalid period: jump indicator needs period >= 2"},
      {"JumpIndicator", {1, -2}, "invalid period: jump indicator needs period >= 2"},  // period first
      {"JumpIndicator", {16777217, 2}, too_long},
      {"JumpIndicator", {5, 0}, "invalid parameter: jump indicator threshold must be finite and positive"},
      {"JumpIndicator", {5, -1}, "invalid parameter: jump indicator threshold must be finite and positive"},
      {"VolatilityCone", {1, 10}, "invalid period: volatility cone window and lookback must both be >= 2"},
      {"VolatilityCone", {10, 1}, "invalid period: volatility cone window and lookback must both be >= 2"},
      {"VolatilityCone", {33554432, 33554432}, ""},  // neither is bounded by MAX_PERIOD
      {"VolatilityOfVolatility", {1, 5}, "invalid period: vol-of-vol windows must both be >= 2"},
      {"VolatilityOfVolatility", {5, 1}, "invalid period: vol-of-vol windows must both be >= 2"},
      {"VolatilityOfVolatility", {33554432, 2}, ""},
      {"RviVolatility", {16777217}, too_long},
      {"RviVolatility", {1}, "invalid period: RVI period must be >= 2"},
      {"RviVolatility", {2}, ""},
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

  // Zeros and non-finite reals that the factory's readers stop before a constructor sees them.
  EXPECT_EQ(VolatilityCone::create(0, 10).error().display(), zero);
  EXPECT_EQ(VolatilityCone::create(1, 0).error().display(), zero);  // both zero tests before >= 2
  EXPECT_EQ(VolatilityOfVolatility::create(1, 0).error().display(), zero);
  EXPECT_EQ(HistoricalVolatility::create(0, 252).error().display(), zero);
  EXPECT_EQ(YangZhangVolatility::create(0, 252).error().display(), zero);
  EXPECT_EQ(JumpIndicator::create(0, 2).error().display(), zero);
  EXPECT_EQ(BipowerVariation::create(0).error().display(), zero);
  EXPECT_EQ(RviVolatility::create(0).error().display(), zero);
  EXPECT_EQ(RealizedVolatility::create(0).error().display(), zero);
  EXPECT_EQ(ParkinsonVolatility::create(0, 0).error().display(), zero);
  EXPECT_EQ(GarmanKlassVolatility::create(5, 0).error().display(), zero);
  EXPECT_EQ(RogersSatchellVolatility::create(5, 0).error().display(), zero);
  EXPECT_EQ(EwmaVolatility::create(NaN).error().display(),
            "invalid parameter: EWMA volatility lambda must be in the open interval (0, 1)");
  EXPECT_EQ(Garch11::create(0.1, NaN, 0.5).error().display(), garch + "parameters must be finite");
  EXPECT_EQ(Garch11::create(-1, 0.1, Inf).error().display(), garch + "parameters must be finite");
  EXPECT_EQ(Garch11::create(0.1, -0.0, 0.5).has_value(), true);  // -0 is not negative
  EXPECT_EQ(JumpIndicator::create(5, Inf).error().display(),
            "invalid parameter: jump indicator threshold must be finite and positive");
  EXPECT_EQ(JumpIndicator::create(5, NaN).error().display(),
            "invalid parameter: jump indicator threshold must be finite and positive");
}

TEST(Volatility, UnboundedWindowsGrowOnlyWithBars) {
  const std::pair<const char*, std::vector<double>> cases[] = {
      {"VolatilityCone", {1e15, 1e15}},
      {"VolatilityOfVolatility", {1e15, 1e15}},
      {"ParkinsonVolatility", {1e15, 252}},
      {"HistoricalVolatility", {16777216, 252}},
      {"BipowerVariation", {16777216}},
  };
  for (const auto& [name, params] : cases) {
    auto ind = make(name, params);
    ASSERT_TRUE(ind) << name;
    EXPECT_GE(ind->warmup_period(), 16777216u) << name;
    for (int i = 1; i <= 100; ++i) EXPECT_FALSE(ind->update(bar(wave(i))).has_value()) << name;
  }
  auto huge = make("VolatilityCone", {1.8e19, 1.8e19});  // P saturates; the warm-up saturates too
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->warmup_period(), std::numeric_limits<std::uint64_t>::max());
}

// ---------------------------------------------------------------------------------------------------
// Close-to-close and range-based estimators

// Three closes give two returns; the second push re-bases the shifted sums on the window mean.
TEST(Volatility, HistoricalVolatilityIsTheAnnualisedSampleDeviation) {
  auto hv = HistoricalVolatility::create(2, 252).value();
  const auto out = run(hv, {100.0, 110.0, 99.0, 105.0});
  EXPECT_FALSE(out[0] || out[1]);
  ASSERT_TRUE(out[2] && out[3]);

  const double r1 = std::log(110.0 / 100.0), r2 = std::log(99.0 / 110.0), r3 = std::log(105.0 / 99.0);
  // Bar 3: re-based on K = (r1 + r2) / 2.
  double k = ((0.0 + r1) + r2) / 2.0;
  double s1 = (0.0 + (r1 - k)) + (r2 - k);
  double s2 = (0.0 + (r1 - k) * (r1 - k)) + (r2 - k) * (r2 - k);
  double d = s1 / 2.0;
  EXPECT_EQ(*out[2], (std::sqrt(252.0) * std::sqrt(std::max(std::fma(2.0, -(d * d), s2) / 1.0, 0.0))) * 100.0);
  expect_close(*out[2], std::sqrt(252.0) * std::fabs(r2 - r1) / std::sqrt(2.0) * 100.0, "bar 3");
  // Bar 4: r1 leaves, r3 enters, the pair subtracted first.
  s1 = (s1 - (r1 - k)) + (r3 - k);
  s2 = (s2 - (r1 - k) * (r1 - k)) + (r3 - k) * (r3 - k);
  d = s1 / 2.0;
  EXPECT_EQ(*out[3], (std::sqrt(252.0) * std::sqrt(std::max(std::fma(2.0, -(d * d), s2) / 1.0, 0.0))) * 100.0);
  expect_close(*out[3], std::sqrt(252.0) * std::fabs(r3 - r2) / std::sqrt(2.0) * 100.0, "bar 4");

  // n = 3: the fused multiply-add in fma(n, -d², S2) shows in the last bit (the unfused
  // S2 - n·d² answers 38.39414306758948 on the last bar).
  auto hv3 = HistoricalVolatility::create(3, 252).value();
  const auto out3 = run(hv3, {100.0, 95.0, 96.0, 94.0, 96.0, 98.0});
  EXPECT_EQ(out3[3], 49.02766236917175);
  EXPECT_EQ(out3[4], 34.77189151413172);
  EXPECT_EQ(out3[5], 38.39414306758949);

  // A constant series has no volatility.
  auto flat_hv = HistoricalVolatility::create(3, 252).value();
  const auto flat_out = run(flat_hv, {5.0, 5.0, 5.0, 5.0, 5.0});
  EXPECT_EQ(flat_out[3], 0.0);
  EXPECT_EQ(flat_out[4], 0.0);
}

TEST(Volatility, RangeEstimatorsHandChecked) {
  const Candle a = candle(100.0, 104.0, 98.0, 102.0);
  const Candle b = candle(102.0, 103.0, 95.0, 96.0);
  const double ann = std::sqrt(252.0);

  auto pk = ParkinsonVolatility::create(2, 252).value();
  EXPECT_FALSE(pk.update(a));
  const double ha = std::log(104.0 / 98.0), hb = std::log(103.0 / 95.0);
  const double pk_var = ((ha * ha + hb * hb) * 0.3606737602222412) / 2.0;
  EXPECT_EQ(pk.update(b), (ann * std::sqrt(pk_var)) * 100.0);

  auto gk = GarmanKlassVolatility::create(2, 252).value();
  EXPECT_FALSE(gk.update(a));
  auto gk_term = [](const Candle& c) {
    const double r = std::log(c.high / c.low), oc = std::log(c.close / c.open);
    return (-0.3862943611198906 * oc) * oc + (0.5 * r) * r;
  };
  EXPECT_EQ(gk.update(b), (ann * std::sqrt((gk_term(a) + gk_term(b)) / 2.0)) * 100.0);

  auto rs = RogersSatchellVolatility::create(2, 252).value();
  EXPECT_FALSE(rs.update(a));
  auto rs_term = [](const Candle& c) {
    return std::log(c.high / c.close) * std::log(c.high / c.open) +
           std::log(c.low / c.close) * std::log(c.low / c.open);
  };
  EXPECT_EQ(rs.update(b), (ann * std::sqrt((rs_term(a) + rs_term(b)) / 2.0)) * 100.0);

  // A flat bar has zero range: every range estimator answers 0.
  auto pk1 = ParkinsonVolatility::create(1, 1).value();
  auto gk1 = GarmanKlassVolatility::create(1, 1).value();
  auto rs1 = RogersSatchellVolatility::create(1, 1).value();
  EXPECT_EQ(pk1.update(flat(7.0)), 0.0);
  EXPECT_EQ(gk1.update(flat(7.0)), 0.0);
  EXPECT_EQ(rs1.update(flat(7.0)), 0.0);
}

// Yang-Zhang on three candles (n = 2): the first only supplies the previous close.
TEST(Volatility, YangZhangCombinesOvernightOpenCloseAndRogersSatchell) {
  const Candle bars[] = {candle(100.0, 101.0, 99.0, 100.0), candle(101.0, 104.0, 100.0, 103.0),
                         candle(102.0, 103.0, 97.0, 98.0)};
  auto yz = YangZhangVolatility::create(2, 252).value();
  EXPECT_FALSE(yz.update(bars[0]));
  EXPECT_FALSE(yz.update(bars[1]));
  const auto v = yz.update(bars[2]);
  ASSERT_TRUE(v);

  const double o1 = std::log(101.0 / 100.0), o2 = std::log(102.0 / 103.0);
  const double c1 = std::log(103.0 / 101.0), c2 = std::log(98.0 / 102.0);
  auto rs = [](const Candle& c) {
    return std::fma(std::log(c.high / c.close), std::log(c.high / c.open),
                    std::log(c.low / c.close) * std::log(c.low / c.open));
  };
  // Two values, re-based at the second push: mean m = (a + b) / 2, shifted sums about m.
  auto var2 = [](double a, double b) {
    const double m = ((0.0 + a) + b) / 2.0;
    const double s1 = (0.0 + (a - m)) + (b - m);
    const double s2 = (0.0 + (a - m) * (a - m)) + (b - m) * (b - m);
    const double d = s1 / 2.0;
    return std::max(std::fma(2.0, -(d * d), s2) / 1.0, 0.0);
  };
  const double k = 0.34 / ((1.0 + 2.0) / (2.0 - 1.0) + 1.34);
  const double rs_mean = std::max((rs(bars[2]) + rs(bars[1])) / 2.0, 0.0);
  const double variance = (1.0 - k) * rs_mean + (var2(c1, c2) * k + var2(o1, o2));
  EXPECT_EQ(*v, (std::sqrt(252.0) * std::sqrt(variance)) * 100.0);
  // The textbook combination, independently.
  const double var_o = (o1 - o2) * (o1 - o2) / 2.0, var_c = (c1 - c2) * (c1 - c2) / 2.0;
  expect_close(*v, std::sqrt(252.0 * (var_o + k * var_c + (1.0 - k) * rs_mean)) * 100.0, "yang-zhang");
}

// Over a long series the incremental sums stay on the two-pass references.
TEST(Volatility, EstimatorsTrackTwoPassReferences) {
  constexpr std::size_t n = 7;
  auto hv = HistoricalVolatility::create(n, 365).value();
  auto pk = ParkinsonVolatility::create(n, 365).value();
  auto gk = GarmanKlassVolatility::create(n, 365).value();
  auto rs = RogersSatchellVolatility::create(n, 365).value();
  auto yz = YangZhangVolatility::create(n, 365).value();
  auto rv = RealizedVolatility::create(n).value();
  auto bv = BipowerVariation::create(n).value();
  auto vov = VolatilityOfVolatility::create(n, 4).value();
  const double ann = std::sqrt(365.0) * 100.0;
  const double k = 0.34 / ((1.0 + n) / (n - 1.0) + 1.34);

  std::vector<Candle> bars;
  std::vector<double> r, pk_t, gk_t, rs_t, o_t, c_t, rs_yz, vols;
  for (int i = 1; i <= 300; ++i) {
    const Candle c = wave(i);
    bars.push_back(c);
    const double hl = std::log(c.high / c.low), oc = std::log(c.close / c.open);
    pk_t.push_back(hl * hl / (4.0 * std::numbers::ln2));
    gk_t.push_back(0.5 * hl * hl - (2.0 * std::numbers::ln2 - 1.0) * oc * oc);
    rs_t.push_back(std::log(c.high / c.close) * std::log(c.high / c.open) +
                   std::log(c.low / c.close) * std::log(c.low / c.open));
    if (i > 1) {
      r.push_back(std::log(c.close / bars[bars.size() - 2].close));
      o_t.push_back(std::log(c.open / bars[bars.size() - 2].close));
      c_t.push_back(oc);
      rs_yz.push_back(rs_t.back());
    }
    const auto v_hv = hv.update(c.close), v_rv = rv.update(c.close), v_bv = bv.update(c.close);
    const auto v_vov = vov.update(c.close);
    const auto v_pk = pk.update(c), v_gk = gk.update(c), v_rs = rs.update(c), v_yz = yz.update(c);
    const std::string at = " bar " + std::to_string(i);
    ASSERT_EQ(v_pk.has_value(), pk_t.size() >= n) << at;
    ASSERT_EQ(v_hv.has_value(), r.size() >= n) << at;
    if (v_pk) {
      expect_close(*v_pk, ann * std::sqrt(mean_of(last(pk_t, n))), "parkinson" + at);
      expect_close(*v_gk, ann * std::sqrt(std::max(mean_of(last(gk_t, n)), 0.0)), "garman-klass" + at);
      expect_close(*v_rs, ann * std::sqrt(mean_of(last(rs_t, n))), "rogers-satchell" + at);
    }
    if (v_hv) {
      const auto w = last(r, n);
      expect_close(*v_hv, ann * std::sqrt(sample_variance(w)), "historical" + at);
      double sq = 0.0, bp = 0.0;
      for (std::size_t j = 0; j < n; ++j) sq += w[j] * w[j];
      for (std::size_t j = 0; j + 1 < n; ++j) bp += std::fabs(w[j] * w[j + 1]);
      expect_close(*v_rv, std::sqrt(sq), "realized" + at);
      expect_close(*v_bv, std::numbers::pi / 2.0 * bp, "bipower" + at);
      const double var = sample_variance(last(o_t, n)) + k * sample_variance(last(c_t, n)) +
                         (1.0 - k) * std::max(mean_of(last(rs_yz, n)), 0.0);
      expect_close(*v_yz, std::sqrt(365.0 * var) * 100.0, "yang-zhang" + at);
      vols.push_back(std::sqrt(sample_variance(w)));
      ASSERT_EQ(v_vov.has_value(), vols.size() >= 4) << at;
      if (v_vov) expect_close(*v_vov, std::sqrt(sample_variance(last(vols, 4))), "vol-of-vol" + at);
    }
  }
}

// Values worked out bar by bar on series where the stated operation forms show in the last bit: the
// re-add of the squared returns every n pushes, the Rogers-Satchell term fused as
// fma(ln(h/c), ln(h/o), ln(l/c)·ln(l/o)), and the RVI average divided by n (not multiplied by 1/n).
TEST(Volatility, LastBitReferenceValues) {
  auto rv = RealizedVolatility::create(2).value();
  const auto rv_out = run(rv, {100.0, 96.0, 89.0, 92.0, 84.0, 85.0, 83.0});
  const double rv_want[] = {0.08601578452324671, 0.08265197396626785, 0.09682423911343015,
                            0.0917383170638673, 0.026589497532190868};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rv_out[i + 2], rv_want[i]) << "realized bar " << i + 3;

  auto yz = YangZhangVolatility::create(3, 252).value();
  const Candle yz_bars[] = {candle(100.0, 107.0, 98.0, 104.0), candle(104.0, 108.0, 103.0, 108.0),
                            candle(106.0, 111.0, 102.0, 107.0), candle(104.0, 105.0, 101.0, 101.0)};
  std::optional<double> yz_out;
  for (const Candle& c : yz_bars) yz_out = yz.update(c);
  EXPECT_EQ(yz_out, 64.09159242288318);

  auto rvi = RviVolatility::create(3).value();
  const auto rvi_out = run(rvi, {20.0, 9.0, 12.0, 17.0, 1.0, 15.0, 8.0, 2.0, 6.0});
  const double rvi_want[] = {54.30507427575257, 73.58689620031627, 48.79014806152469, 33.19471003925052,
                             45.47086735209866};
  EXPECT_FALSE(rvi_out[3]);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rvi_out[i + 4], rvi_want[i]) << "rvi bar " << i + 5;
}

// ---------------------------------------------------------------------------------------------------
// Exponential and GARCH estimators

TEST(Volatility, EwmaStartsFromTheFirstSquaredReturn) {
  auto ewma = EwmaVolatility::create(0.94).value();
  const auto out = run(ewma, {100.0, 101.0, 99.0, 99.0});
  EXPECT_FALSE(out[0]);
  const double r1 = std::log(101.0 / 100.0), r2 = std::log(99.0 / 101.0), r3 = std::log(99.0 / 99.0);
  const double v1 = r1 * r1;
  const double v2 = ((1.0 - 0.94) * r2) * r2 + v1 * 0.94;
  const double v3 = ((1.0 - 0.94) * r3) * r3 + v2 * 0.94;
  EXPECT_EQ(out[1], std::sqrt(v1));
  EXPECT_EQ(out[2], std::sqrt(v2));
  EXPECT_EQ(out[3], std::sqrt(v3));  // an unchanged close decays the variance by lambda
}

// A zero (or negative) close is skipped: the next return is taken from the last positive close.
TEST(Volatility, EwmaSkipsANonPositiveCloseAndKeepsItsState) {
  auto ewma = EwmaVolatility::create(0.5).value();
  auto ref = EwmaVolatility::create(0.5).value();
  EXPECT_FALSE(ewma.update(100.0));
  EXPECT_FALSE(ewma.update(0.0));  // would be the first return: still nothing
  EXPECT_FALSE(ewma.update(-3.0));
  EXPECT_FALSE(ref.update(100.0));
  EXPECT_EQ(ewma.update(110.0), ref.update(110.0));
  EXPECT_FALSE(ewma.update(0.0));
  EXPECT_FALSE(ewma.update(NaN));
  EXPECT_EQ(ewma.update(104.0), ref.update(104.0));
  EXPECT_EQ(ewma.update(104.0).value(),
            std::sqrt((0.5 * 0.0) * 0.0 +
                      ((0.5 * std::log(104.0 / 110.0)) * std::log(104.0 / 110.0) +
                       std::log(1.1) * std::log(1.1) * 0.5) * 0.5));
}

TEST(Volatility, Garch11FirstReturnGetsTheUnconditionalVariance) {
  const double omega = 0.0001, alpha = 0.1, beta = 0.8;
  auto g = Garch11::create(omega, alpha, beta).value();
  const auto out = run(g, {100.0, 120.0, 0.0, 114.0, 114.0});
  EXPECT_FALSE(out[0]);
  EXPECT_FALSE(out[2]);  // a zero close is skipped
  const double v1 = omega / ((1.0 - alpha) - beta);
  const double r1 = std::log(120.0 / 100.0), r2 = std::log(114.0 / 120.0);
  const double v2 = beta * v1 + (omega + alpha * (r1 * r1));
  const double v3 = beta * v2 + (omega + alpha * (r2 * r2));
  EXPECT_EQ(out[1], std::sqrt(v1));  // however large the first return
  EXPECT_EQ(out[3], std::sqrt(v2));  // the previous bar's r² enters
  EXPECT_EQ(out[4], std::sqrt(v3));
}

// ---------------------------------------------------------------------------------------------------
// Realised and bipower variation, jumps

TEST(Volatility, RealizedVolatilityIsTheRootOfTheSquaredReturns) {
  auto rv = RealizedVolatility::create(2).value();
  const auto out = run(rv, {100.0, 110.0, 121.0, 110.0});
  EXPECT_FALSE(out[0] || out[1]);
  const double r1 = std::log(1.1), r2 = std::log(121.0 / 110.0), r3 = std::log(110.0 / 121.0);
  EXPECT_EQ(out[2], std::sqrt((0.0 + r1 * r1) + r2 * r2));  // re-added from scratch at push 2
  EXPECT_EQ(out[3], std::sqrt(((0.0 + r1 * r1) + r2 * r2 - r1 * r1) + r3 * r3));
  auto one = RealizedVolatility::create(1).value();
  EXPECT_EQ(run(one, {100.0, 90.0})[1], std::fabs(std::log(0.9)));
}

TEST(Volatility, BipowerVariationSumsAdjacentAbsoluteProducts) {
  auto bv = BipowerVariation::create(3).value();
  // Closes on which the re-added sum of bar 6 differs in its last bit from the incremental one.
  const std::vector<double> closes = {100.0, 104.0, 99.1, 94.4, 94.8, 99.0, 97.8};
  const auto out = run(bv, closes);
  std::vector<double> r;
  for (std::size_t i = 1; i < closes.size(); ++i) r.push_back(std::log(closes[i] / closes[i - 1]));
  auto p = [&](std::size_t i) { return std::fabs(r[i] * r[i + 1]); };
  const double half_pi = 1.5707963267948966;
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(out[i]) << i;
  // Bar 4: three returns, two products.
  double sum = (0.0 + p(0)) + p(1);
  EXPECT_EQ(out[3], sum * half_pi);
  // Bar 5: the new product is added, then the product of the two oldest subtracted.
  sum = (sum + p(2)) - p(0);
  EXPECT_EQ(out[4], sum * half_pi);
  // Bar 6: the third addition on a full window re-adds the window's pairs, oldest first.
  EXPECT_EQ(out[5], ((0.0 + p(2)) + p(3)) * half_pi);
  EXPECT_EQ(out[6], ((((0.0 + p(2)) + p(3)) + p(4)) - p(2)) * half_pi);
}

TEST(Volatility, JumpIndicatorJudgesAReturnAgainstTheWindowBeforeIt) {
  struct Case {
    double last_close;
    double threshold;
    double want;
  };
  // Returns before the tested one: ln(1.01), ln(0.99/1.01)... a quiet window around zero.
  const std::vector<double> quiet = {100.0, 101.0, 100.0, 101.0};
  const Case cases[] = {
      {150.0, 3.0, 1.0},
      {60.0, 3.0, -1.0},
      {101.5, 3.0, 0.0},
      // Judged with the return inside its own window of three, no jump could exceed 2/sqrt(3)
      // deviations; against the window before it, it does.
      {150.0, 1.2, 1.0},
  };
  for (const auto& c : cases) {
    auto j = JumpIndicator::create(3, c.threshold).value();
    std::vector<double> closes = quiet;
    closes.push_back(c.last_close);
    const auto out = run(j, closes);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(out[i]) << c.last_close;
    ASSERT_TRUE(out[4]);
    EXPECT_EQ(*out[4], c.want) << c.last_close << " threshold " << c.threshold;
  }
  // Hand-checked against the window's mean and sample deviation.
  {
    auto j = JumpIndicator::create(3, 1.0).value();
    const std::vector<double> closes = {100.0, 103.0, 100.0, 102.0};
    std::vector<double> w;
    for (std::size_t i = 1; i < closes.size(); ++i) w.push_back(std::log(closes[i] / closes[i - 1]));
    const double m = mean_of(w), s = std::sqrt(sample_variance(w));
    run(j, closes);
    EXPECT_EQ(j.update(102.0 * std::exp(m + 1.1 * s)), 1.0);
  }
  // Returns that do not vary give 0 even for a huge jump.
  auto j = JumpIndicator::create(2, 1.0).value();
  const auto out = run(j, {1.0, 2.0, 4.0, 400.0, 4.0});
  EXPECT_EQ(out[3], 0.0);
  EXPECT_TRUE(out[4]);  // from then on every bar yields
}

// ---------------------------------------------------------------------------------------------------
// Volatility cone, vol-of-vol, RVI

TEST(Volatility, VolatilityConePlacesTheCurrentDeviationInItsHistory) {
  // w = 2: each deviation is |r_i - r_(i-1)| / sqrt(2); closes chosen so the deviations differ.
  const std::vector<double> closes = {100.0, 101.0, 100.0, 104.0, 103.0, 103.5, 110.0, 109.0};
  for (std::uint64_t lookback : {3u, 4u}) {
    auto cone = make("VolatilityCone", {2, static_cast<double>(lookback)});
    ASSERT_TRUE(cone);
    EXPECT_EQ(cone->warmup_period(), 2 + lookback);
    std::vector<double> devs;  // reference deviations
    for (std::size_t i = 0; i < closes.size(); ++i) {
      const auto v = cone->update(bar(flat(closes[i])));
      if (i >= 2) {
        const double a = std::log(closes[i - 1] / closes[i - 2]), b = std::log(closes[i] / closes[i - 1]);
        devs.push_back(std::fabs(b - a) / std::sqrt(2.0));
      }
      ASSERT_EQ(v.has_value(), devs.size() >= lookback) << "bar " << i + 1;
      if (!v) {
        EXPECT_TRUE(cone->extra_outputs().empty());
        continue;
      }
      const auto named = cone->extra_outputs();
      ASSERT_EQ(named.size(), 5u);
      const char* names[] = {"current", "min", "median", "max", "percentile"};
      for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(named[k].name, names[k]);
      EXPECT_EQ(named[0].value, *v);
      expect_close(*v, devs.back(), "current");
      // The history is the last L values "current" took; compare with its sorted copy.
      std::vector<double> hist = last(devs, lookback);
      std::sort(hist.begin(), hist.end());
      expect_close(named[1].value, hist.front(), "min");
      expect_close(named[3].value, hist.back(), "max");
      const double median = lookback % 2 == 1 ? hist[lookback / 2]
                                              : (hist[lookback / 2 - 1] + hist[lookback / 2]) * 0.5;
      expect_close(named[2].value, median, "median");
      const auto rank = static_cast<double>(std::upper_bound(hist.begin(), hist.end(), devs.back() + 1e-12) -
                                            hist.begin());
      EXPECT_EQ(named[4].value, (rank / static_cast<double>(lookback)) * 100.0);
    }
  }
}

TEST(Volatility, VolatilityConeExactOutputsAndTies) {
  // Closes 1, 2, 4, ... give equal log returns: every deviation is exactly 0, so all five lines are
  // 0 and the percentile counts the whole (tied) history.
  auto cone = VolatilityCone::create(2, 3).value();
  std::optional<std::array<double, 5>> v;
  for (double x : {1.0, 2.0, 4.0, 8.0, 16.0, 32.0}) v = cone.update(flat(x));
  ASSERT_TRUE(v);
  EXPECT_EQ(*v, (std::array<double, 5>{0.0, 0.0, 0.0, 0.0, 100.0}));
}

TEST(Volatility, VolatilityConeRepeatsItsOutputsOnANonPositiveClose) {
  const Candle zero_close = candle(1.0, 2.0, 0.0, 0.0);
  const Candle negative_close = candle(-1.0, -0.5, -2.0, -1.5);
  auto cone = make("VolatilityCone", {2, 2});
  auto ref = make("VolatilityCone", {2, 2});
  ASSERT_TRUE(cone && ref);
  EXPECT_FALSE(cone->update(bar(zero_close)));  // nothing before the first value
  for (int i = 1; i <= 4; ++i) {
    const auto a = cone->update(bar(wave(i)));
    EXPECT_EQ(a, ref->update(bar(wave(i))));
    if (i < 4) {
      EXPECT_FALSE(cone->update(bar(negative_close)));
    }
  }
  const std::vector<NamedValue> before(cone->extra_outputs().begin(), cone->extra_outputs().end());
  ASSERT_EQ(before.size(), 5u);
  for (const Candle& c : {zero_close, negative_close}) {
    const auto again = cone->update(bar(c));
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, before[0].value);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), cone->extra_outputs().begin(),
                           cone->extra_outputs().end()));
  }
  // The repeats changed no state.
  for (int i = 5; i <= 12; ++i) EXPECT_EQ(cone->update(bar(wave(i))), ref->update(bar(wave(i)))) << i;
}

TEST(Volatility, VolatilityOfVolatilityHandChecked) {
  // a = 2, b = 2: the deviation of two deviations of two returns.
  auto vov = VolatilityOfVolatility::create(2, 2).value();
  const std::vector<double> closes = {100.0, 101.0, 100.0, 104.0};
  const auto out = run(vov, closes);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(out[i]);
  ASSERT_TRUE(out[3]);
  const double r1 = std::log(1.01), r2 = std::log(100.0 / 101.0), r3 = std::log(1.04);
  const double v1 = std::fabs(r2 - r1) / std::sqrt(2.0), v2 = std::fabs(r3 - r2) / std::sqrt(2.0);
  expect_close(*out[3], std::fabs(v2 - v1) / std::sqrt(2.0), "vol-of-vol");
  EXPECT_FALSE(vov.update(0.0));
  EXPECT_TRUE(vov.update(104.0));
}

TEST(Volatility, RviVolatilityAveragesTheDeviationByDirection) {
  auto rvi = RviVolatility::create(2).value();
  EXPECT_EQ(rvi.warmup_period(), 3u);
  const auto out = run(rvi, {1.0, 2.0, 4.0, 3.0, 5.0});
  // σ of [1,2] = 0.5 (up), [2,4] = 1 (up), [4,3] = 0.5 (down), [3,5] = 1 (up).
  EXPECT_FALSE(out[0] || out[1]);
  EXPECT_EQ(out[2], (0.75 * 100.0) / (0.0 + 0.75));  // seeds: up (0.5 + 1) / 2, down 0
  const double up4 = std::fma(0.75, 1.0, 0.0) / 2.0, down4 = std::fma(0.0, 1.0, 0.5) / 2.0;
  EXPECT_EQ(out[3], (up4 * 100.0) / (down4 + up4));  // 60
  EXPECT_EQ(out[3], 60.0);
  const double up5 = std::fma(up4, 1.0, 1.0) / 2.0, down5 = std::fma(down4, 1.0, 0.0) / 2.0;
  EXPECT_EQ(out[4], (up5 * 100.0) / (down5 + up5));

  // Unchanged closes count neither way: both averages 0 give 50.
  auto still = RviVolatility::create(3).value();
  const auto flat_out = run(still, {2.0, 2.0, 2.0, 2.0, 2.0, 2.0});
  EXPECT_FALSE(flat_out[3]);
  EXPECT_EQ(flat_out[4], 50.0);
  EXPECT_EQ(flat_out[5], 50.0);
  // Non-positive closes are ordinary inputs here; a NaN is skipped.
  auto signed_rvi = RviVolatility::create(2).value();
  const auto s = run(signed_rvi, {-1.0, NaN, 0.0, -4.0});
  EXPECT_FALSE(s[0] || s[1] || s[2]);
  EXPECT_EQ(s[3], (0.25 * 100.0) / (1.0 + 0.25));  // up (0.5 + 0) / 2, down (0 + 2) / 2
}

}  // namespace
}  // namespace sorvik

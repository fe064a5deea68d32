// The volume studies: cumulative lines, volume-weighted prices, money-flow and volume oscillators.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/support.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "indicators/moving_averages/vwma.hpp"
#include "indicators/volume/ad_oscillator.hpp"
#include "indicators/volume/adl.hpp"
#include "indicators/volume/anchored_vwap.hpp"
#include "indicators/volume/better_volume.hpp"
#include "indicators/volume/candle_volume.hpp"
#include "indicators/volume/chaikin_money_flow.hpp"
#include "indicators/volume/chaikin_oscillator.hpp"
#include "indicators/volume/demand_index.hpp"
#include "indicators/volume/ease_of_movement.hpp"
#include "indicators/volume/equivolume.hpp"
#include "indicators/volume/force_index.hpp"
#include "indicators/volume/intraday_intensity.hpp"
#include "indicators/volume/kvo.hpp"
#include "indicators/volume/market_facilitation_index.hpp"
#include "indicators/volume/mfi.hpp"
#include "indicators/volume/nvi.hpp"
#include "indicators/volume/obv.hpp"
#include "indicators/volume/pvi.hpp"
#include "indicators/volume/rolling_vwap.hpp"
#include "indicators/volume/trade_volume_index.hpp"
#include "indicators/volume/tsv.hpp"
#include "indicators/volume/twiggs_money_flow.hpp"
#include "indicators/volume/volume_oscillator.hpp"
#include "indicators/volume/volume_price_trend.hpp"
#include "indicators/volume/volume_rsi.hpp"
#include "indicators/volume/volume_weighted_macd.hpp"
#include "indicators/volume/volume_weighted_sr.hpp"
#include "indicators/volume/vwap.hpp"
#include "indicators/volume/vwap_std_dev_bands.hpp"
#include "indicators/volume/vzo.hpp"
#include "indicators/volume/wad.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

using Out = std::optional<double>;
using Outs = std::vector<Out>;

/// A deterministic wavy series of valid candles with positive volume.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  return candle(o, std::max(o, c) + 1.5, std::min(o, c) - 1.0, c, 1000.0 + 100.0 * std::cos(i * 0.11));
}

// ---------------------------------------------------------------------------------------------------
// The whole family

struct WarmupCase {
  const char* name;
  std::vector<double> params;
  std::uint64_t warmup;
};
const std::vector<WarmupCase>& family() {
  static const std::vector<WarmupCase> cases = {
      {"Obv", {}, 1},
      {"Adl", {}, 1},
      {"AdOscillator", {}, 14},
      {"ChaikinOscillator", {3, 10}, 10},
      {"ChaikinMoneyFlow", {5}, 5},
      {"Mfi", {5}, 6},
      {"ForceIndex", {5}, 6},
      {"EaseOfMovement", {5}, 6},
      {"Kvo", {3, 10}, 11},
      {"Nvi", {}, 1},
      {"Pvi", {}, 1},
      {"Vwap", {}, 1},
      {"AnchoredVwap", {}, 1},
      {"RollingVwap", {5}, 5},
      {"VwapStdDevBands", {2}, 1},
      {"VolumeOscillator", {3, 10}, 10},
      {"VolumePriceTrend", {}, 1},
      {"VolumeRsi", {5}, 6},
      {"Vzo", {5}, 6},
      {"Tsv", {5}, 6},
      {"TwiggsMoneyFlow", {5}, 6},
      {"Wad", {}, 2},
      {"IntradayIntensity", {}, 1},
      {"MarketFacilitationIndex", {}, 1},
      {"BetterVolume", {5}, 5},
      {"CandleVolume", {5}, 5},
      {"Equivolume", {5}, 5},
      {"DemandIndex", {5}, 6},
      {"TradeVolumeIndex", {0.5}, 2},
      {"VolumeWeightedMacd", {3, 6, 4}, 9},
      {"VolumeWeightedSr", {5}, 5},
  };
  return cases;
}

TEST(Volume, FamilyTableListsEveryMember) {
  EXPECT_EQ(family().size(), 31u);
  for (const auto& c : family()) {
    const CatalogEntry* e = find_catalog_entry(c.name);
    ASSERT_NE(e, nullptr) << c.name;
    EXPECT_TRUE(e->built) << c.name;
    EXPECT_EQ(e->feed, FeedKind::Kline) << c.name;
  }
}

// Every member yields first exactly at its warm-up bar and then on every valid bar.
TEST(Volume, FirstValueAtWarmupThenEveryBar) {
  for (const auto& c : family()) {
    auto ind = make(c.name, c.params);
    ASSERT_TRUE(ind);
    EXPECT_EQ(ind->warmup_period(), c.warmup) << c.name;
    for (int i = 1; i <= 60; ++i) {
      const auto v = ind->update(bar(wave(i)));
      EXPECT_EQ(v.has_value(), static_cast<std::uint64_t>(i) >= c.warmup) << c.name << " bar " << i;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << c.name << " bar " << i;
      }
    }
  }
}

// An invalid candle yields nothing, does not count towards the warm-up and changes no state: the
// values on the valid bars are bit-identical to a run without the invalid ones, and the named
// outputs of the last valid bar stay in place.
TEST(Volume, InvalidCandlesChangeNothing) {
  const Candle invalid[] = {candle(10, 9, 11, 10, 5), candle(10, 11, 9, 10, -1), candle(10, 11, 9, NaN, 5),
                            candle(10, 11, 9, 10, Inf)};
  for (const auto& c : family()) {
    auto clean = make(c.name, c.params);
    auto dirty = make(c.name, c.params);
    ASSERT_TRUE(clean && dirty);
    for (int i = 1; i <= 40; ++i) {
      const auto expected = clean->update(bar(wave(i)));
      const std::vector<NamedValue> before(dirty->extra_outputs().begin(), dirty->extra_outputs().end());
      EXPECT_FALSE(dirty->update(bar(invalid[i % 4])).has_value()) << c.name << " bar " << i;
      const std::vector<NamedValue> after(dirty->extra_outputs().begin(), dirty->extra_outputs().end());
      EXPECT_EQ(before, after) << c.name;
      EXPECT_EQ(dirty->update(bar(wave(i))), expected) << c.name << " bar " << i;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Constructor checks

TEST(Volume, ConstructorMessages) {
  struct Case {
    const char* name;
    std::vector<double> params;
    const char* text;  // null: builds
  };
  const std::string too_large = ": invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
  const std::string co = "ChaikinOscillator: invalid period: Chaikin Oscillator needs fast < slow";
  const std::string kvo = "Kvo: invalid period: KVO needs fast < slow";
  const std::string vo = "VolumeOscillator: invalid period: VolumeOscillator needs fast < slow";
  const std::string vwm = "VolumeWeightedMacd: invalid period: fast period must be strictly less than slow period";
  const std::string tvi = "TradeVolumeIndex: invalid parameter: trade volume index min_tick must be finite and non-negative";
  const std::string mult = "VwapStdDevBands: multiplier must be greater than zero";
  const std::vector<std::pair<Case, std::string>> cases = {
      {{"ChaikinOscillator", {10, 3}, ""}, co},
      {{"ChaikinOscillator", {3, 3}, ""}, co},
      {{"ChaikinOscillator", {16777218, 16777217}, ""}, co},  // the order is checked before the bound
      {{"ChaikinOscillator", {3, 16777217}, ""}, "ChaikinOscillator" + too_large},
      {{"ChaikinOscillator", {3, 16777216}, nullptr}, ""},
      {{"Kvo", {34, 34}, ""}, kvo},
      {{"Kvo", {55, 34}, ""}, kvo},
      {{"Kvo", {34, 16777217}, ""}, "Kvo" + too_large},
      {{"Kvo", {34, 16777216}, nullptr}, ""},
      {{"VolumeOscillator", {10, 5}, ""}, vo},
      {{"VolumeOscillator", {5, 16777217}, ""}, "VolumeOscillator" + too_large},
      {{"VolumeOscillator", {5, 16777216}, nullptr}, ""},
      {{"VolumeWeightedMacd", {26, 12, 9}, ""}, vwm},
      {{"VolumeWeightedMacd", {12, 12, 16777217}, ""}, vwm},
      {{"VolumeWeightedMacd", {12, 16777217, 9}, ""}, "VolumeWeightedMacd" + too_large},
      {{"VolumeWeightedMacd", {12, 26, 16777217}, ""}, "VolumeWeightedMacd" + too_large},
      {{"VolumeWeightedMacd", {12, 26, 16777216}, nullptr}, ""},
      {{"TradeVolumeIndex", {-0.5}, ""}, tvi},
      {{"TradeVolumeIndex", {-1e-300}, ""}, tvi},
      {{"TradeVolumeIndex", {0}, nullptr}, ""},
      {{"TradeVolumeIndex", {-0.0}, nullptr}, ""},
      {{"VwapStdDevBands", {0}, ""}, mult},
      {{"VwapStdDevBands", {-0.0}, ""}, mult},
      {{"VwapStdDevBands", {-2}, ""}, mult},
      {{"VwapStdDevBands", {1e-300}, nullptr}, ""},
  };
  for (const auto& [c, text] : cases) {
    auto made = create_indicator(c.name, c.params);
    if (c.text == nullptr) {
      EXPECT_TRUE(made.has_value()) << c.name << ": " << (made ? "" : made.error().display());
    } else {
      ASSERT_FALSE(made.has_value()) << c.name;
      EXPECT_EQ(made.error().display(), "invalid parameters for indicator " + text);
    }
  }
  // Every single window length: MAX_PERIOD builds (and stays cheap while bars are few), one more fails.
  for (const char* name : {"ChaikinMoneyFlow", "Mfi", "ForceIndex", "EaseOfMovement", "RollingVwap", "VolumeRsi",
                           "Vzo", "Tsv", "TwiggsMoneyFlow", "BetterVolume", "CandleVolume", "Equivolume",
                           "DemandIndex", "VolumeWeightedSr"}) {
    auto bad = create_indicator(name, std::vector<double>{16777217});
    ASSERT_FALSE(bad.has_value()) << name;
    EXPECT_EQ(bad.error().display(), "invalid parameters for indicator " + std::string(name) + too_large);
    auto ok = make(name, {16777216});
    ASSERT_TRUE(ok);
    for (int i = 1; i <= 50; ++i) EXPECT_FALSE(ok->update(bar(wave(i))).has_value()) << name;
  }
}

TEST(Volume, ConstructorChecksTheFactoryCannotReach) {
  const auto zero = IndicatorError::zero_period();
  // Zero lengths are refused before the order of fast and slow is looked at.
  EXPECT_EQ(ChaikinOscillator::create(0, 5).error(), zero);
  EXPECT_EQ(ChaikinOscillator::create(5, 0).error(), zero);
  EXPECT_EQ(Kvo::create(5, 0).error(), zero);
  EXPECT_EQ(VolumeOscillator::create(5, 0).error(), zero);
  EXPECT_EQ(VolumeWeightedMacd::create(26, 12, 0).error(), zero);
  EXPECT_EQ(VolumeWeightedMacd::create(26, 0, 9).error(), zero);
  EXPECT_EQ(VolumeWeightedMacd::create(0, 26, 9).error(), zero);
  const IndicatorError single_lengths[] = {
      ChaikinMoneyFlow::create(0).error(), Mfi::create(0).error(),          ForceIndex::create(0).error(),
      EaseOfMovement::create(0).error(),   RollingVwap::create(0).error(),  VolumeRsi::create(0).error(),
      Vzo::create(0).error(),              Tsv::create(0).error(),          TwiggsMoneyFlow::create(0).error(),
      BetterVolume::create(0).error(),     CandleVolume::create(0).error(), Equivolume::create(0).error(),
      DemandIndex::create(0).error(),      VolumeWeightedSr::create(0).error(),
  };
  for (const auto& e : single_lengths) EXPECT_EQ(e.display(), "period must be greater than zero");
  for (double m : {NaN, Inf, -Inf}) {
    EXPECT_EQ(VwapStdDevBands::create(m).error().display(), "multiplier must be greater than zero");
    EXPECT_EQ(TradeVolumeIndex::create(m).error().display(),
              "invalid parameter: trade volume index min_tick must be finite and non-negative");
  }
}

// ---------------------------------------------------------------------------------------------------
// Cumulative lines

TEST(Volume, ObvAddsAndSubtractsTheVolume) {
  Obv obv;
  EXPECT_EQ(run(obv, {flat(10, 1), flat(11, 2), flat(11, 3), flat(9, 4)}), (Outs{0.0, 2.0, 2.0, -2.0}));
}

TEST(Volume, AdlAccumulatesTheMoneyFlowMultiplier) {
  Adl adl;
  // mfm 0.5, then 0 on a bar with high = low, then -0.5.
  EXPECT_EQ(run(adl, {candle(9, 10, 8, 9.5, 100), flat(9, 50), candle(11, 12, 10, 10.5, 40)}),
            (Outs{50.0, 50.0, 30.0}));
}

TEST(Volume, VolumePriceTrendSkipsAZeroPreviousClose) {
  VolumePriceTrend vpt;
  const auto out = run(vpt, {flat(10, 1), flat(12, 5), flat(0, 3), flat(5, 7), flat(10, 2)});
  EXPECT_EQ(out, (Outs{0.0, 1.0, -2.0, -2.0, 0.0}));
}

TEST(Volume, NegativeAndPositiveVolumeIndices) {
  const std::vector<Candle> bars = {flat(100, 10), flat(110, 20), flat(121, 5), flat(150, 5), flat(0, 1),
                                    flat(5, 0), flat(6, 9)};
  Nvi nvi;
  Pvi pvi;
  const double up = (110.0 - 100.0) / 100.0 * 1000.0 + 1000.0;  // Pvi on the rising volume of bar 2
  const double down = (121.0 - 110.0) / 110.0 * 1000.0 + 1000.0;  // Nvi on the falling volume of bar 3
  // Bar 4: equal volume, both unchanged. Bar 5: falling volume. Bar 6: falling volume, but the
  // previous close is 0: both unchanged. Bar 7: rising volume.
  const double nvi5 = (0.0 - 150.0) / 150.0 * down + down;
  const double pvi7 = (6.0 - 5.0) / 5.0 * up + up;
  EXPECT_EQ(run(nvi, bars), (Outs{1000.0, 1000.0, down, down, nvi5, nvi5, nvi5}));
  EXPECT_EQ(run(pvi, bars), (Outs{1000.0, up, up, up, up, up, pvi7}));
}

TEST(Volume, WadAndItsOscillator) {
  Wad wad;
  const auto out = run(wad, {candle(10, 11, 9, 10, 1), candle(11, 13, 11, 12, 1), candle(12, 12.5, 10.5, 11, 1),
                             candle(11, 12, 10, 11, 1)});
  // 12 - min(11, 10) = 2; 11 - max(12.5, 12) = -1.5; unchanged close: 0.
  EXPECT_EQ(out, (Outs{std::nullopt, 2.0, 0.5, 0.5}));

  AdOscillator osc;
  Wad total;
  Sma average(13);
  for (int i = 1; i <= 40; ++i) {
    const Candle c = wave(i);
    Out expected;
    if (auto t = total.update(c)) {
      if (auto a = average.update(*t)) expected = *t - *a;
    }
    EXPECT_EQ(osc.update(c), expected) << "bar " << i;
  }
}

// The running totals last the whole run, accumulated in the stated order: no reset, no periodic
// re-summing, no compensated summation.
TEST(Volume, CumulativeTotalsNeverReset) {
  Vwap vwap;
  AnchoredVwap anchored;
  Adl adl;
  Obv obv;
  double pv = 0.0, v = 0.0, line = 0.0, balance = 0.0, prev = 0.0;
  for (int i = 1; i <= 100000; ++i) {
    Candle c = wave(i);
    c.volume = 0.1 * static_cast<double>(i % 7) + 1e-3 * i;
    const double tp = (c.high + c.low + c.close) / 3.0;
    pv = tp * c.volume + pv;
    v = c.volume + v;
    line = line + c.volume * (((c.close - c.low) - (c.high - c.close)) / (c.high - c.low));
    if (i > 1) balance = c.close > prev ? balance + c.volume : c.close < prev ? balance - c.volume : balance;
    prev = c.close;
    const auto a = vwap.update(c);
    const auto b = anchored.update(c);
    const auto d = adl.update(c);
    const auto e = obv.update(c);
    if (i % 9973 == 0 || i == 100000) {
      EXPECT_EQ(a, pv / v) << i;
      EXPECT_EQ(b, pv / v) << i;
      EXPECT_EQ(d, line) << i;
      EXPECT_EQ(e, balance) << i;
    }
  }
}

TEST(Volume, IntradayIntensityAndMarketFacilitation) {
  auto ii = make("IntradayIntensity", {});
  EXPECT_EQ(ii->update(bar(candle(10, 12, 8, 11, 100))), 100.0 * (2.0 * 11 - 12 - 8) / (12.0 - 8.0));
  EXPECT_EQ(ii->update(bar(flat(10, 100))), 0.0);
  auto mfi = make("MarketFacilitationIndex", {});
  EXPECT_EQ(mfi->warmup_period(), 1u);
  EXPECT_EQ(mfi->update(bar(candle(10, 12, 8, 11, 8))), 0.5);
  EXPECT_FALSE(mfi->update(bar(candle(10, 12, 8, 11, 0))).has_value());  // no volume, no value
  EXPECT_EQ(mfi->update(bar(candle(10, 13, 8, 11, 2))), 2.5);
}

// ---------------------------------------------------------------------------------------------------
// Volume-weighted prices

TEST(Volume, VwapWaitsForVolume) {
  Vwap vwap;
  EXPECT_FALSE(vwap.update(flat(50, 0)).has_value());
  EXPECT_FALSE(vwap.update(flat(60, -0.0)).has_value());
  const Candle c = candle(10, 12, 9, 11, 4);
  EXPECT_EQ(vwap.update(c), (12.0 + 9.0 + 11.0) / 3.0);  // its own typical price
  const double pv = 3.0 * 2.0 + ((12.0 + 9.0 + 11.0) / 3.0) * 4.0;
  EXPECT_EQ(vwap.update(flat(3, 2)), pv / (2.0 + 4.0));
  EXPECT_EQ(vwap.update(flat(1000, 0)), pv / 6.0);  // zero volume changes nothing
}

TEST(Volume, RollingVwapOverTheWindow) {
  RollingVwap r(2);
  // Zero-volume bars: nothing, even with a full window.
  EXPECT_EQ(run(r, {flat(5, 0), flat(6, 0), flat(1, 0.1)}), (Outs{std::nullopt, std::nullopt, 1.0}));
  EXPECT_EQ(r.update(flat(4, 0.3)), (1.0 * 0.1 + 4.0 * 0.3) / (0.1 + 0.3));
  // Once full the sums move incrementally: the new value plus (the sum minus the dropped one).
  EXPECT_EQ(r.update(flat(2, 0.2)), (2.0 * 0.2 + ((0.1 + 4.0 * 0.3) - 0.1)) / (0.2 + ((0.1 + 0.3) - 0.1)));
}

// The sums are recomputed from scratch every n pushes, so rounding residue of a dropped volume does
// not outlive n bars: a window of zero volumes yields nothing again.
TEST(Volume, RollingVwapReaddClearsResidue) {
  RollingVwap r(2);
  EXPECT_FALSE(r.update(flat(1, 0.1)).has_value());
  EXPECT_EQ(r.update(flat(1, 0.2)), 1.0);
  EXPECT_EQ(r.update(flat(1, 0.0)), 1.0);  // the incremental sums carry the same residue
  EXPECT_FALSE(r.update(flat(1, 0.0)).has_value());
}

TEST(Volume, VwapStdDevBands) {
  auto b = make("VwapStdDevBands", {2});
  ASSERT_TRUE(b);
  // The anchor is the first bar's typical price, even without volume.
  EXPECT_FALSE(b->update(bar(flat(100, 0))).has_value());
  EXPECT_TRUE(b->extra_outputs().empty());
  EXPECT_EQ(b->update(bar(flat(10, 1))), 10.0);
  auto named = b->extra_outputs();
  ASSERT_EQ(named.size(), 4u);
  EXPECT_EQ(named[0], (NamedValue{"upper", 10.0}));
  EXPECT_EQ(named[1], (NamedValue{"middle", 10.0}));
  EXPECT_EQ(named[2], (NamedValue{"lower", 10.0}));
  EXPECT_EQ(named[3], (NamedValue{"stddev", 0.0}));

  // Two bars about K = 10: S1 = 6, S2 = 12, V = 4; m1 = 1.5, m2 = 3.
  VwapStdDevBands typed(2.0);
  EXPECT_EQ(typed.update(flat(10, 1)), (std::array<double, 4>{10.0, 10.0, 10.0, 0.0}));
  const double sd = std::sqrt(3.0 - 1.5 * 1.5);
  EXPECT_EQ(typed.update(flat(12, 3)), (std::array<double, 4>{11.5 + 2.0 * sd, 11.5, 11.5 - 2.0 * sd, sd}));

  // One constant typical price: stddev 0 and three equal lines.
  VwapStdDevBands constant(3.0);
  for (double v : {5.0, 0.0, 7.5, 1e6}) {
    const auto out = constant.update(candle(40, 45, 40, 41, v));
    ASSERT_TRUE(out.has_value());
    const double tp = (45.0 + 40.0 + 41.0) / 3.0;
    EXPECT_EQ(*out, (std::array<double, 4>{tp, tp, tp, 0.0}));
  }
}

// ---------------------------------------------------------------------------------------------------
// Money flow

TEST(Volume, MfiGuards) {
  Mfi m(2);
  // Flat bars have tp = close. Bar 2: positive flow 22; bar 3: negative flow 40.
  const auto out = run(m, {flat(10, 1), flat(11, 2), flat(10, 4), flat(10, 5), flat(10, 6), flat(12, 1)});
  EXPECT_EQ(out[1], std::nullopt);
  EXPECT_EQ(out[2], 100.0 - 100.0 / (22.0 / 40.0 + 1.0));
  EXPECT_EQ(out[3], 100.0 - 100.0 / (0.0 / 40.0 + 1.0));  // unchanged tp: neither flow
  EXPECT_EQ(out[4], 50.0);                                // both sums 0
  EXPECT_EQ(out[5], 100.0);                               // no negative flow
}

TEST(Volume, ChaikinMoneyFlowAndItsZeroVolumeGuard) {
  ChaikinMoneyFlow cmf(2);
  const auto out = run(cmf, {candle(9, 10, 8, 9.5, 100), flat(9, 50), candle(11, 12, 10, 10.5, 40), flat(9, 0),
                             flat(9, 0)});
  EXPECT_EQ(out[0], std::nullopt);
  EXPECT_EQ(out[1], (50.0 + 0.0) / 150.0);
  EXPECT_EQ(out[2], (-20.0 + (50.0 - 50.0)) / (40.0 + (150.0 - 100.0)));
  EXPECT_EQ(out[3], (0.0 + (-20.0 - 0.0)) / 40.0);
  EXPECT_EQ(out[4], 0.0);  // the volume sum is zero
}

TEST(Volume, ChaikinOscillatorIsTheAdlBetweenTwoAverages) {
  ChaikinOscillator co(2, 3);
  const auto out = run(co, {candle(9, 10, 8, 9.5, 100), flat(9, 50), candle(11, 12, 10, 10.5, 40)});
  // The line: 50, 50, 30. Fast: seeded with 50 at bar 2, then one step; slow: the mean of three.
  const double alpha = 2.0 / 3.0;
  const double fast = std::fma(alpha, 30.0, (1.0 - alpha) * 50.0);
  EXPECT_EQ(out, (Outs{std::nullopt, std::nullopt, fast - ((50.0 + 50.0) + 30.0) / 3.0}));

  ChaikinOscillator longer(3, 10);
  Adl adl;
  Ema f(3), s(10);
  for (int i = 1; i <= 40; ++i) {
    const double line = *adl.update(wave(i));
    const auto a = f.update(line);
    const auto b = s.update(line);
    EXPECT_EQ(longer.update(wave(i)), b ? Out(*a - *b) : std::nullopt) << i;
  }
}

TEST(Volume, KvoVolumeForce) {
  Kvo kvo(1, 2);
  const auto force = [](double trend, double volume, double dm, double cm) {
    return (trend * (volume * std::fabs((dm / cm - 1.0) * 2.0))) * 100.0;
  };
  const double alpha = 2.0 / 3.0;
  EXPECT_FALSE(kvo.update(candle(9, 10, 8, 9, 100)).has_value());  // only stored
  // Rising sum: the trend changes from 0 to +1, cm = previous dm + dm = 4.
  const double f2 = force(1, 200, 2, 4);
  EXPECT_EQ(f2, 20000.0);
  EXPECT_FALSE(kvo.update(candle(10, 11, 9, 10, 200)).has_value());
  // Still rising: cm = 4 + 3.
  const double f3 = force(1, 100, 3, 7);
  double slow = (f3 + f2) / 2.0;
  EXPECT_EQ(kvo.update(candle(10, 12, 9, 11, 100)), f3 - slow);
  // Falling: cm = previous dm + dm = 6.
  const double f4 = force(-1, 50, 3, 6);
  slow = std::fma(alpha, f4, (1.0 - alpha) * slow);
  EXPECT_EQ(kvo.update(candle(11, 11, 8, 8.5, 50)), f4 - slow);
  // Unchanged sum: the falling trend holds, cm = 6 + 1.
  const double f5 = force(-1, 10, 1, 7);
  slow = std::fma(alpha, f5, (1.0 - alpha) * slow);
  EXPECT_EQ(kvo.update(candle(9, 9.5, 8.5, 9.5, 10)), f5 - slow);
  // A flat bar after a flat bar: cm stays 0, the force is 0.
  Kvo flat_kvo(1, 2);
  EXPECT_EQ(run(flat_kvo, {flat(10, 5), flat(10, 5), flat(10, 5)}), (Outs{std::nullopt, std::nullopt, 0.0}));
}

TEST(Volume, TwiggsMoneyFlowMeanSeedThenSteps) {
  TwiggsMoneyFlow t(2);
  const auto out = run(t, {flat(10, 1), candle(10, 12, 10, 11.5, 100), candle(11.5, 11.5, 9, 9.5, 300),
                           flat(9.5, 0)});
  // ad: ((23 - 12) - 10) * 100 / 2 = 50; ((19 - 11.5) - 9) * 300 / 2.5 = -180; then a zero range: 0.
  const double ad = (-180.0 + 50.0) / 2.0;
  const double vol = (300.0 + 100.0) / 2.0;
  EXPECT_EQ(out[2], ad / vol);
  const double ad4 = (0.0 - ad) / 2.0 + ad;
  const double vol4 = (0.0 - vol) / 2.0 + vol;
  EXPECT_EQ(out[3], ad4 / vol4);
  EXPECT_EQ(out[1], std::nullopt);
  TwiggsMoneyFlow none(1);
  EXPECT_EQ(run(none, {flat(10, 0), candle(10, 11, 9, 10, 0)}), (Outs{std::nullopt, 0.0}));
}

TEST(Volume, ForceIndexAndEaseOfMovement) {
  ForceIndex fi(2);
  // raw: 5 * 2 = 10, 4 * -1 = -4 (seed 3), then 1 * 4.
  EXPECT_EQ(run(fi, {flat(10, 9), flat(12, 5), flat(11, 4), flat(15, 1)}),
            (Outs{std::nullopt, std::nullopt, 3.0, std::fma(2.0 / 3.0, 4.0, (1.0 - 2.0 / 3.0) * 3.0)}));

  EaseOfMovement eom(2);
  // emv: ((11 - 9) * 2) * 1e8 / 2e8 = 2; zero volume: 0; ((11 - 10) * 4) * 1e8 / 4e8 = 1.
  EXPECT_EQ(run(eom, {candle(9, 10, 8, 9, 1), candle(11, 12, 10, 11, 2e8), candle(10, 11, 9, 10, 0),
                      candle(11, 13, 9, 11, 4e8)}),
            (Outs{std::nullopt, std::nullopt, 1.0, 0.5}));
}

// ---------------------------------------------------------------------------------------------------
// Volume oscillators

TEST(Volume, VolumeOscillatorAndRsi) {
  VolumeOscillator vo(2, 3);
  EXPECT_EQ(run(vo, {flat(1, 1), flat(1, 2), flat(1, 3)}), (Outs{std::nullopt, std::nullopt, 25.0}));
  VolumeOscillator quiet(1, 2);
  EXPECT_EQ(run(quiet, {flat(1, 0), flat(1, 0)}), (Outs{std::nullopt, 0.0}));

  VolumeRsi rsi(2);
  // Changes 2, -1, 4: seeds gain 1 and loss 0.5, then Wilder divide steps.
  const auto out = run(rsi, {flat(1, 10), flat(1, 12), flat(1, 11), flat(1, 15)});
  EXPECT_EQ(out[1], std::nullopt);
  EXPECT_EQ(out[2], 1.0 / (0.5 + 1.0) * 100.0);
  const double g = (4.0 + (2.0 + -1.0) * 1.0) / 2.0;
  const double l = (0.0 + (2.0 + -1.0) * 0.5) / 2.0;
  EXPECT_EQ(out[3], g / (l + g) * 100.0);
  VolumeRsi steady(2);
  EXPECT_EQ(run(steady, {flat(1, 7), flat(2, 7), flat(3, 7)}), (Outs{std::nullopt, std::nullopt, 50.0}));
}

TEST(Volume, VzoSignsTheVolumeByTheCloseChange) {
  Vzo vzo(2);
  // Bar 2 rises (+10), bar 3 is unchanged (0), bar 4 falls (-30).
  const auto out = run(vzo, {flat(10, 5), flat(11, 10), flat(11, 20), flat(10, 30)});
  EXPECT_EQ(out[2], 5.0 * 100.0 / 15.0);
  const double alpha = 2.0 / 3.0;
  const double vp = std::fma(alpha, -30.0, (1.0 - alpha) * 5.0);
  const double tv = std::fma(alpha, 30.0, (1.0 - alpha) * 15.0);
  EXPECT_EQ(out[3], vp * 100.0 / tv);
  Vzo quiet(1);
  EXPECT_EQ(run(quiet, {flat(10, 0), flat(11, 0)}), (Outs{std::nullopt, 0.0}));
}

TEST(Volume, TsvAndTradeVolumeIndex) {
  Tsv tsv(2);
  EXPECT_EQ(run(tsv, {flat(10, 1), flat(12, 3), flat(11, 2), flat(11, 5)}),
            (Outs{std::nullopt, std::nullopt, 4.0, -2.0}));

  TradeVolumeIndex tvi(0.5);
  // Changes: +0.2 (direction stays 0), +0.8 (+1), -0.2 (kept), -0.8 (-1).
  EXPECT_EQ(run(tvi, {flat(10, 1), flat(10.2, 5), flat(11, 3), flat(10.8, 4), flat(10, 2)}),
            (Outs{std::nullopt, 0.0, 3.0, 7.0, 5.0}));
  TradeVolumeIndex zero_tick(0.0);
  EXPECT_EQ(run(zero_tick, {flat(10, 1), flat(10, 5), flat(10.5, 2), flat(10.5, 4)}),
            (Outs{std::nullopt, 0.0, 2.0, 6.0}));
}

TEST(Volume, VolumeWeightedMacd) {
  auto m = make("VolumeWeightedMacd", {1, 2, 2});
  ASSERT_TRUE(m);
  EXPECT_EQ(m->warmup_period(), 3u);
  EXPECT_FALSE(m->update(bar(flat(10, 1))).has_value());
  EXPECT_FALSE(m->update(bar(flat(12, 3))).has_value());  // macd 12 - 11.5 = 0.5 seeds the signal
  EXPECT_TRUE(m->extra_outputs().empty());
  // Vwma(2) = (11 + (46 - 10)) / (1 + (4 - 1)) = 11.75; macd = -0.75; signal = (0.5 - 0.75) / 2.
  EXPECT_EQ(m->update(bar(flat(11, 1))), -0.75);
  const auto named = m->extra_outputs();
  ASSERT_EQ(named.size(), 3u);
  EXPECT_EQ(named[0], (NamedValue{"macd", -0.75}));
  EXPECT_EQ(named[1], (NamedValue{"signal", -0.125}));
  EXPECT_EQ(named[2], (NamedValue{"histogram", -0.625}));

  VolumeWeightedMacd typed(3, 6, 4);
  Vwma fast(3), slow(6);
  Ema signal(4);
  for (int i = 1; i <= 40; ++i) {
    const Candle c = wave(i);
    std::optional<std::array<double, 3>> expected;
    const auto a = fast.update(c);
    const auto b = slow.update(c);
    if (a && b) {
      if (auto s = signal.update(*a - *b)) expected = std::array<double, 3>{*a - *b, *s, (*a - *b) - *s};
    }
    EXPECT_EQ(typed.update(c), expected) << i;
  }
}

TEST(Volume, BetterVolumeClassifiesAgainstTheEarlierBars) {
  struct Case {
    const char* what;
    Candle current;
    double expected;
  };
  // Earlier bars: range 2 volume 100 (density 50, effort 200) and range 4 volume 80 (density 20,
  // effort 320).
  const Candle earlier[] = {candle(10, 12, 10, 11, 100), candle(10, 13, 9, 12, 80)};
  const Case cases[] = {
      {"climax and churn", candle(10, 20, 10, 15, 1000), 4.0},
      {"climax only, up bar", candle(10, 110, 10, 10, 400), 3.0},
      {"climax only, down bar", candle(100, 110, 10, 50, 400), -3.0},
      {"churn only", candle(10, 10.5, 10, 10, 100), 2.0},
      {"low volume", candle(10, 11, 10, 10, 10), 1.0},
      {"none", candle(10, 12, 10, 10, 90), 0.0},
      {"zero range: no churn", flat(10, 100), 0.0},
      {"zero range, low volume", flat(10, 0), 1.0},
  };
  for (const auto& c : cases) {
    BetterVolume bv(3);
    EXPECT_FALSE(bv.update(earlier[0]).has_value());
    EXPECT_FALSE(bv.update(earlier[1]).has_value());
    EXPECT_EQ(bv.update(c.current), c.expected) << c.what;
  }
  // An earlier bar without range has no density but still counts for the least volume.
  BetterVolume bv(3);
  EXPECT_EQ(run(bv, {flat(10, 5), candle(10, 13, 9, 12, 80), candle(10, 11, 10, 10, 30)}),
            (Outs{std::nullopt, std::nullopt, 2.0}));
  // Only the n - 1 earlier bars are compared: the volume 5 has left the window, so 20 is the least.
  EXPECT_EQ(bv.update(candle(10, 11, 10, 10, 20)), 1.0);
  EXPECT_EQ(bv.update(candle(10, 11, 10, 10, 25)), 0.0);
}

TEST(Volume, CandleVolumeAndEquivolume) {
  auto cv = make("CandleVolume", {2});
  auto ev = make("Equivolume", {2});
  ASSERT_TRUE(cv && ev);
  const Candle bars[] = {candle(10, 12, 9, 11, 0), candle(11, 12, 10, 10.5, 0), candle(10, 14, 10, 13, 3)};
  EXPECT_FALSE(cv->update(bar(bars[0])).has_value());
  EXPECT_FALSE(ev->update(bar(bars[0])).has_value());
  // Average volume 0: width 0.
  EXPECT_EQ(cv->update(bar(bars[1])), -0.5);
  EXPECT_EQ(cv->extra_outputs()[1], (NamedValue{"width", 0.0}));
  EXPECT_EQ(ev->update(bar(bars[1])), 2.0);
  EXPECT_EQ(ev->extra_outputs()[1], (NamedValue{"width", 0.0}));
  // Average volume 1.5: width 2.
  EXPECT_EQ(cv->update(bar(bars[2])), 3.0);
  EXPECT_EQ(cv->extra_outputs()[0], (NamedValue{"body", 3.0}));
  EXPECT_EQ(cv->extra_outputs()[1], (NamedValue{"width", 2.0}));
  EXPECT_EQ(ev->update(bar(bars[2])), 4.0);
  EXPECT_EQ(ev->extra_outputs()[0], (NamedValue{"height", 4.0}));
  EXPECT_EQ(ev->extra_outputs()[1], (NamedValue{"width", 2.0}));
}

TEST(Volume, DemandIndexPressures) {
  DemandIndex di(2);
  const double alpha = 2.0 / 3.0;
  EXPECT_FALSE(di.update(candle(10, 11, 9, 10, 100)).has_value());
  EXPECT_FALSE(di.update(candle(10, 12, 10, 11, 200)).has_value());  // first two-bar range: 3
  // Bar 3: ranges 3, 3; volumes 200, 300. wp 12 against 11: buying pressure.
  const double p3 = (12.0 - 11.0) / 11.0;
  const double vr3 = 300.0 / 250.0;
  const double e3 = std::exp(std::min((12.0 * 3.0 / 3.0) * std::fabs(p3), 88.0));
  double b = vr3, s = vr3 / e3;
  EXPECT_EQ(di.update(candle(11, 13, 11, 12, 300)), (1.0 - s / b) * 100.0);
  // Bar 4: wp 10.75 against 12: selling pressure.
  const double p4 = (10.75 - 12.0) / 10.75;
  const double vr4 = 250.0 / (550.0 / 2.0);
  const double e4 = std::exp(std::min((10.75 * 3.0 / 3.0) * std::fabs(p4), 88.0));
  b = std::fma(alpha, vr4 / e4, (1.0 - alpha) * b);
  s = std::fma(alpha, vr4, (1.0 - alpha) * s);
  ASSERT_LT(b, s);
  const double v4 = (1.0 - b / s) * -100.0;
  EXPECT_EQ(di.update(candle(12, 12, 10, 10.5, 250)), v4);
  // Zero-volume bars: the average volume is still 125 on the first (both pressures 0 are fed), then
  // 0, and the stored value is yielded again.
  const auto v5 = di.update(candle(10.5, 11, 10, 10.5, 0));
  ASSERT_TRUE(v5.has_value());
  EXPECT_EQ(di.update(candle(10.5, 12, 10, 11, 0)), v5);
  EXPECT_EQ(di.update(candle(11, 12, 10, 11.5, 0)), v5);

  // Nothing to compare before any pressure: 0 from the first yielding bar.
  DemandIndex quiet(2);
  EXPECT_EQ(run(quiet, {flat(10, 0), flat(11, 0), flat(12, 0), flat(13, 0)}),
            (Outs{std::nullopt, std::nullopt, 0.0, 0.0}));
  // Zero weighted prices also repeat the stored value.
  DemandIndex at_zero(1);
  EXPECT_EQ(run(at_zero, {flat(0, 5), flat(0, 5), flat(0, 6)}), (Outs{std::nullopt, 0.0, 0.0}));
}

TEST(Volume, VolumeWeightedSupportAndResistance) {
  auto sr = make("VolumeWeightedSr", {2});
  ASSERT_TRUE(sr);
  EXPECT_FALSE(sr->update(bar(candle(11, 12, 10, 11, 1))).has_value());
  EXPECT_EQ(sr->update(bar(candle(12, 14, 11, 13, 3))), (10.0 + 33.0) / 4.0);
  EXPECT_EQ(sr->extra_outputs()[0], (NamedValue{"support", 10.75}));
  EXPECT_EQ(sr->extra_outputs()[1], (NamedValue{"resistance", (12.0 + 42.0) / 4.0}));
  // Without volume: the plain means of the lows and highs.
  sr->update(bar(candle(12, 15, 11, 13, 0)));
  EXPECT_EQ(sr->update(bar(candle(12, 16, 12, 13, 0))), (11.0 + 12.0) / 2.0);
  EXPECT_EQ(sr->extra_outputs()[1], (NamedValue{"resistance", (15.0 + 16.0) / 2.0}));
}

}  // namespace
}  // namespace sorvik

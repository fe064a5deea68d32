// Market profiles (volume and time profiles, value area, nodes, naked POCs, single prints, shape),
// the run-anchored ranges and the calendar-aware session measures.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/support.hpp"
#include "indicators/profiles/composite_profile.hpp"
#include "indicators/profiles/high_low_volume_nodes.hpp"
#include "indicators/profiles/initial_balance.hpp"
#include "indicators/profiles/naked_poc.hpp"
#include "indicators/profiles/opening_range.hpp"
#include "indicators/profiles/overnight_gap.hpp"
#include "indicators/profiles/overnight_intraday_return.hpp"
#include "indicators/profiles/profile_shape.hpp"
#include "indicators/profiles/profile_support.hpp"
#include "indicators/profiles/session_high_low.hpp"
#include "indicators/profiles/session_range.hpp"
#include "indicators/profiles/session_vwap.hpp"
#include "indicators/profiles/single_prints.hpp"
#include "indicators/profiles/tpo_profile.hpp"
#include "indicators/profiles/turn_of_month.hpp"
#include "indicators/profiles/value_area.hpp"
#include "indicators/profiles/volume_profile.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

constexpr std::int64_t HOUR_MS = 3'600'000;
constexpr std::int64_t DAY_MS = 24 * HOUR_MS;
constexpr std::int64_t JAN_1_2024_MS = 1'704'067'200'000;  // 2024-01-01 00:00 UTC

/// A bar spanning [l, h] with open and close in the middle.
Candle span(double l, double h, double v = 1.0, std::int64_t time = 0) {
  const double m = midpoint(l, h);
  return candle(m, h, l, m, v, time);
}

/// A deterministic wavy series of valid candles, six hours apart from 2024-01-01 00:00 UTC, with
/// some zero-volume and some flat bars.
Candle wave(int i) {
  const double c = 100.0 + 10.0 * std::sin(i * 0.37) + 0.05 * i;
  const double o = 100.0 + 10.0 * std::sin((i - 1) * 0.37) + 0.05 * (i - 1);
  const std::int64_t t = JAN_1_2024_MS + i * 6 * HOUR_MS;
  if (i % 9 == 4) return candle(c, c, c, c, 2.0, t);
  const double v = i % 7 == 3 ? 0.0 : 1.0 + static_cast<double>(i * 37 % 11);
  return candle(o, std::max(o, c) + 1.5 + 0.5 * std::cos(i * 0.9), std::min(o, c) - 1.0 - 0.25 * std::sin(i * 1.3), c,
                v, t);
}

// ---------------------------------------------------------------------------------------------------
// The whole family through the factory

struct Member {
  const char* name;
  std::vector<double> params;
  std::uint64_t warmup;                  // reported
  int first;                             // the first wave bar that yields
  std::vector<std::string_view> outputs;  // named outputs, empty for single-output types
};

const std::vector<Member>& members() {
  // Wave bars are six hours apart from midnight: bar 4 opens the second date, bar 8 the third.
  static const std::vector<Member> m = {
      {"VolumeProfile", {5, 8}, 5, 5, {"price_low", "price_high"}},
      {"TpoProfile", {5, 8}, 5, 5, {"price_low", "price_high"}},
      {"ValueArea", {5, 8, 0.7}, 5, 5, {"poc", "vah", "val"}},
      {"CompositeProfile", {5, 8, 0.7}, 5, 5, {"poc", "vah", "val"}},
      {"HighLowVolumeNodes", {5, 8}, 5, 5, {"hvn", "lvn"}},
      {"NakedPoc", {5, 8}, 5, 5, {}},
      {"SinglePrints", {5, 8}, 5, 5, {}},
      {"ProfileShape", {5, 8}, 5, 5, {}},
      {"InitialBalance", {3}, 1, 1, {"high", "low"}},
      {"OpeningRange", {3}, 1, 1, {"high", "low", "breakout_distance"}},
      {"SessionHighLow", {0}, 1, 1, {"high", "low"}},
      {"SessionRange", {0}, 1, 1, {"asia", "eu", "us"}},
      {"SessionVwap", {0}, 1, 1, {}},
      {"OvernightGap", {0}, 2, 4, {}},
      {"OvernightIntradayReturn", {0}, 2, 4, {"overnight", "intraday"}},
      {"TurnOfMonth", {31, 0, 0}, 2, 8, {}},  // every day counts: the first return closes at bar 8
  };
  return m;
}

TEST(Profiles, EveryMemberIsRegistered) {
  for (const auto& m : members()) {
    const CatalogEntry* entry = find_catalog_entry(m.name);
    ASSERT_NE(entry, nullptr) << m.name;
    EXPECT_TRUE(entry->built) << m.name;
    EXPECT_EQ(entry->feed, FeedKind::Kline) << m.name;
  }
}

TEST(Profiles, FirstValueAtTheFirstReadyBarThenEveryBar) {
  for (const auto& m : members()) {
    auto ind = make(m.name, m.params);
    ASSERT_TRUE(ind) << m.name;
    EXPECT_EQ(ind->warmup_period(), m.warmup) << m.name;
    for (int i = 1; i <= 60; ++i) {
      const auto v = ind->update(bar(wave(i)));
      EXPECT_EQ(v.has_value(), i >= m.first) << m.name << " bar " << i;
      if (v) {
        EXPECT_TRUE(std::isfinite(*v)) << m.name << " bar " << i;
      }
    }
  }
}

TEST(Profiles, NamedOutputsInOrderWithTheFirstAsPrimary) {
  for (const auto& m : members()) {
    const CatalogEntry* entry = find_catalog_entry(m.name);
    ASSERT_NE(entry, nullptr) << m.name;
    EXPECT_TRUE(std::equal(entry->outputs.begin(), entry->outputs.end(), m.outputs.begin(), m.outputs.end()))
        << m.name;
    auto ind = make(m.name, m.params);
    ASSERT_TRUE(ind) << m.name;
    for (int i = 1; i <= 30; ++i) {
      const auto v = ind->update(bar(wave(i)));
      const auto named = ind->extra_outputs();
      if (!v || m.outputs.empty()) {
        EXPECT_TRUE(named.empty()) << m.name << " bar " << i;
        continue;
      }
      ASSERT_EQ(named.size(), m.outputs.size()) << m.name;
      for (std::size_t k = 0; k < named.size(); ++k) EXPECT_EQ(named[k].name, m.outputs[k]) << m.name;
      EXPECT_EQ(named[0].value, *v) << m.name;
    }
  }
}

// Invalid candles (and for session members also their times) neither count nor change anything.
TEST(Profiles, RefusedBarsChangeNothing) {
  const int bad_before[] = {1, 2, 4, 5, 9, 13};
  for (const auto& m : members()) {
    auto clean = make(m.name, m.params);
    auto noisy = make(m.name, m.params);
    ASSERT_TRUE(clean && noisy) << m.name;
    for (int i = 1; i <= 40; ++i) {
      if (std::find(std::begin(bad_before), std::end(bad_before), i) != std::end(bad_before)) {
        Candle inverted = wave(i + 100);  // another date and range
        std::swap(inverted.high, inverted.low);
        inverted.high = inverted.low - 1.0;
        EXPECT_FALSE(noisy->update(bar(inverted)).has_value()) << m.name;
        Candle nan_close = wave(i);
        nan_close.close = NaN;
        EXPECT_FALSE(noisy->update(bar(nan_close)).has_value()) << m.name;
        Candle negative_volume = wave(i + 50);
        negative_volume.volume = -1.0;
        EXPECT_FALSE(noisy->update(bar(negative_volume)).has_value()) << m.name;
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

// ---------------------------------------------------------------------------------------------------
// Constructor checks, in order, through the displayed text

/// The displayed text of T::create(args...)'s error, or "" when it builds.
template <class T, class... A>
std::string error_of(A... args) {
  const auto made = T::create(args...);
  return made ? std::string() : made.error().display();
}

const std::string ZERO = "period must be greater than zero";
const std::string TOO_LONG = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
const std::string PCT = "invalid parameter: value_area_pct must be in (0, 1]";
const std::string SHAPE = "invalid period: profile shape needs bins >= 3";

TEST(Profiles, ConstructorChecksInOrder) {
  constexpr std::uint64_t over = MAX_PERIOD + 1;
  constexpr std::uint64_t huge = std::numeric_limits<std::uint64_t>::max();
  struct PeriodBins {
    const char* name;
    std::string (*error)(std::uint64_t, std::uint64_t);
  };
  const PeriodBins period_bins[] = {
      {"VolumeProfile", &error_of<VolumeProfile, std::uint64_t, std::uint64_t>},
      {"TpoProfile", &error_of<TpoProfile, std::uint64_t, std::uint64_t>},
      {"HighLowVolumeNodes", &error_of<HighLowVolumeNodes, std::uint64_t, std::uint64_t>},
      {"NakedPoc", &error_of<NakedPoc, std::uint64_t, std::uint64_t>},
      {"SinglePrints", &error_of<SinglePrints, std::uint64_t, std::uint64_t>},
  };
  for (const auto& t : period_bins) {
    EXPECT_EQ(t.error(0, 5), ZERO) << t.name;
    EXPECT_EQ(t.error(5, 0), ZERO) << t.name;
    EXPECT_EQ(t.error(over, 0), ZERO) << t.name;  // both zero tests come before the bound
    EXPECT_EQ(t.error(huge, 0), ZERO) << t.name;
    EXPECT_EQ(t.error(over, 5), TOO_LONG) << t.name;
    EXPECT_EQ(t.error(5, over), TOO_LONG) << t.name;
    EXPECT_EQ(t.error(5, huge), TOO_LONG) << t.name;
    EXPECT_EQ(t.error(MAX_PERIOD, MAX_PERIOD), "") << t.name;
    EXPECT_EQ(t.error(1, 1), "") << t.name;
  }
  struct ValueAreaLike {
    const char* name;
    std::string (*error)(std::uint64_t, std::uint64_t, double);
  };
  const ValueAreaLike value_areas[] = {
      {"ValueArea", &error_of<ValueArea, std::uint64_t, std::uint64_t, double>},
      {"CompositeProfile", &error_of<CompositeProfile, std::uint64_t, std::uint64_t, double>},
  };
  for (const auto& t : value_areas) {
    EXPECT_EQ(t.error(0, 5, 0.7), ZERO) << t.name;
    EXPECT_EQ(t.error(5, 0, 2.0), ZERO) << t.name;  // zero before the fraction
    for (const double r : {0.0, -0.0, -0.5, 1.0000000000000002, 2.0, NaN, -NaN}) {
      EXPECT_EQ(t.error(5, 5, r), PCT) << t.name << " " << r;
    }
    EXPECT_EQ(t.error(over, 5, 2.0), PCT) << t.name;  // the bound comes after the documented checks
    EXPECT_EQ(t.error(over, 5, 0.7), TOO_LONG) << t.name;
    EXPECT_EQ(t.error(5, over, 0.7), TOO_LONG) << t.name;
    EXPECT_EQ(t.error(5, 5, 1.0), "") << t.name;
    EXPECT_EQ(t.error(5, 5, 5e-324), "") << t.name;
    EXPECT_EQ(t.error(MAX_PERIOD, MAX_PERIOD, 0.7), "") << t.name;
  }
  const auto shape = &error_of<ProfileShape, std::uint64_t, std::uint64_t>;
  EXPECT_EQ(shape(0, 1), ZERO);
  EXPECT_EQ(shape(5, 0), ZERO);
  EXPECT_EQ(shape(5, 1), SHAPE);
  EXPECT_EQ(shape(5, 2), SHAPE);
  EXPECT_EQ(shape(over, 2), SHAPE);
  EXPECT_EQ(shape(over, 3), TOO_LONG);
  EXPECT_EQ(shape(5, over), TOO_LONG);
  EXPECT_EQ(shape(5, 3), "");
  for (const auto error : {&error_of<InitialBalance, std::uint64_t>, &error_of<OpeningRange, std::uint64_t>}) {
    EXPECT_EQ(error(0), ZERO);
    EXPECT_EQ(error(over), TOO_LONG);
    EXPECT_EQ(error(huge), TOO_LONG);
    EXPECT_EQ(error(MAX_PERIOD), "");
  }
  // The session members take any offset; TurnOfMonth any day counts.
  for (const std::int32_t u : {std::numeric_limits<std::int32_t>::min(), 0, std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(error_of<SessionHighLow>(u), "");
    EXPECT_EQ(error_of<SessionRange>(u), "");
    EXPECT_EQ(error_of<SessionVwap>(u), "");
    EXPECT_EQ(error_of<OvernightGap>(u), "");
    EXPECT_EQ(error_of<OvernightIntradayReturn>(u), "");
    EXPECT_EQ(error_of<TurnOfMonth>(std::uint32_t{0}, std::numeric_limits<std::uint32_t>::max(), u), "");
  }
}

// What the factory adds: its prefix, and the decoding of the integer kinds.
TEST(Profiles, FactoryMessages) {
  struct Case {
    const char* name;
    std::vector<double> params;
    std::string error;  // empty: builds
  };
  const Case cases[] = {
      {"VolumeProfile", {16777217, 5}, TOO_LONG},
      {"NakedPoc", {5, 16777217}, TOO_LONG},
      {"ValueArea", {5, 5, 0}, PCT},
      {"CompositeProfile", {16777217, 5, 1.5}, PCT},
      {"ProfileShape", {16777217, 2}, SHAPE},
      {"OpeningRange", {16777217}, TOO_LONG},
      {"ValueArea", {5, 5}, "missing parameter #2"},
      {"SessionVwap", {-2147483648.0}, ""},
      {"SessionRange", {2147483648.0}, "parameter #0 must be an i32, got 2147483648"},
      {"OvernightGap", {-0.5}, "parameter #0 must be an i32, got -0.5"},
      {"TurnOfMonth", {4294967295.0, 4294967295.0, 2147483647.0}, ""},
      {"TurnOfMonth", {-1, 0, 0}, "parameter #0 must be a u32, got -1"},
      {"TurnOfMonth", {1, 1, 1.5}, "parameter #2 must be an i32, got 1.5"},
  };
  for (const auto& c : cases) {
    const auto made = create_indicator(c.name, c.params);
    if (c.error.empty()) {
      EXPECT_TRUE(made.has_value()) << c.name << ": " << (made ? "" : made.error().display());
      continue;
    }
    ASSERT_FALSE(made.has_value()) << c.name << " " << c.error;
    EXPECT_EQ(made.error().display(), "invalid parameters for indicator " + std::string(c.name) + ": " + c.error);
  }
}

// ---------------------------------------------------------------------------------------------------
// A dense reference: one accumulator per bin, straight from the definition.

struct Dense {
  double low = 0.0;
  double high = 0.0;
  double width = 0.0;
  std::vector<double> bins;
};

Dense dense_profile(const std::vector<Candle>& window, std::uint64_t bins, bool time) {
  Dense d;
  d.low = std::numeric_limits<double>::infinity();
  d.high = -std::numeric_limits<double>::infinity();
  for (const Candle& c : window) {
    d.low = std::min(d.low, c.low);
    d.high = std::max(d.high, c.high);
  }
  d.width = (d.high - d.low) / static_cast<double>(bins);
  d.bins.assign(bins, 0.0);
  if (d.high - d.low <= 0.0) {
    double s = 0.0;
    for (const Candle& c : window) s = s + (time ? 1.0 : c.volume);
    d.bins[0] = s;
    return d;
  }
  const auto index = [&](double p) -> std::uint64_t {
    const double q = std::floor((p - d.low) / d.width);
    if (!(q > 0.0)) return 0;
    if (q >= static_cast<double>(bins - 1)) return bins - 1;
    return static_cast<std::uint64_t>(q);
  };
  for (const Candle& c : window) {
    if (!time && c.volume == 0.0) continue;
    const std::uint64_t a = index(c.low);
    const std::uint64_t z = c.high <= c.low ? a : index(c.high);
    const double share = time ? 1.0 : c.volume / static_cast<double>(z - a + 1);
    for (std::uint64_t i = a; i <= z; ++i) d.bins[i] = d.bins[i] + share;
  }
  return d;
}

std::uint64_t dense_poc(const Dense& d) {
  std::uint64_t k = 0;
  for (std::uint64_t i = 1; i < d.bins.size(); ++i) {
    if (d.bins[i] > d.bins[k]) k = i;
  }
  return k;
}

profiles::ValueAreaBins dense_value_area(const Dense& d, double r) {
  double total = -0.0;
  for (const double b : d.bins) total = total + b;
  const std::uint64_t k = dense_poc(d);
  profiles::ValueAreaBins a{k, k, k};
  double acc = d.bins[k];
  while (total * r > acc) {
    const bool below = a.lo > 0;
    const bool above = a.hi + 1 < d.bins.size();
    if (!below && !above) break;
    if (above && (!below || d.bins[a.hi + 1] >= d.bins[a.lo - 1])) {
      ++a.hi;
      acc = acc + d.bins[a.hi];
    } else {
      --a.lo;
      acc = acc + d.bins[a.lo];
    }
  }
  return a;
}

double centre(const Dense& d, std::uint64_t k) { return (static_cast<double>(k) + 0.5) * d.width + d.low; }

// The profile members agree with the dense reference bit for bit on a long series, for bin counts
// below, near and far above the window length (where most bins share their run).
TEST(Profiles, RollingProfilesMatchADenseReference) {
  struct Shape {
    std::uint64_t period;
    std::uint64_t bins;
    double r;
  };
  const Shape shapes[] = {{1, 1, 0.7}, {1, 7, 0.5},  {3, 4, 0.7},    {5, 3, 1.0},
                          {8, 24, 0.7}, {12, 5, 0.3}, {6, 1000, 0.7}, {4, 100003, 0.68}};
  for (const Shape& s : shapes) {
    auto va = ValueArea::create(s.period, s.bins, s.r).value();
    auto cp = CompositeProfile::create(s.period, s.bins, s.r).value();
    auto nodes = HighLowVolumeNodes::create(s.period, s.bins).value();
    auto singles = SinglePrints::create(s.period, s.bins).value();
    auto vp = VolumeProfile::create(s.period, s.bins).value();
    auto tpo = TpoProfile::create(s.period, s.bins).value();
    std::vector<Candle> window;
    for (int i = 1; i <= 70; ++i) {
      const Candle c = wave(i);
      window.push_back(c);
      if (window.size() > s.period) window.erase(window.begin());
      const auto a = va.update(c);
      const auto b = cp.update(c);
      const auto n = nodes.update(c);
      const auto sp = singles.update(c);
      const auto lh = vp.update(c);
      tpo.update(c);
      if (window.size() < s.period) {
        EXPECT_FALSE(a || b || n || sp || lh);
        continue;
      }
      ASSERT_TRUE(a && b && n && sp && lh);
      const Dense d = dense_profile(window, s.bins, false);
      const Dense t = dense_profile(window, s.bins, true);
      const std::string where = "period " + std::to_string(s.period) + " bins " + std::to_string(s.bins) +
                                " bar " + std::to_string(i);
      EXPECT_EQ((*lh)[0], d.low) << where;
      EXPECT_EQ((*lh)[1], d.high) << where;
      // The stored profiles, bin by bin (sampled where the bin count is large).
      const auto pv = vp.profile();
      const auto pt = tpo.profile();
      ASSERT_TRUE(pv && pt);
      const std::uint64_t step = s.bins > 2000 ? 997 : 1;
      for (std::uint64_t k = 0; k < s.bins; k += step) {
        ASSERT_EQ(pv->at(k), d.bins[k]) << where << " bin " << k;
        ASSERT_EQ(static_cast<double>(pt->at(k)), t.bins[k]) << where << " bin " << k;
      }
      std::uint64_t single = 0;
      for (const double x : t.bins) single += x == 1.0 ? 1 : 0;
      EXPECT_EQ(*sp, static_cast<double>(single)) << where;
      if (d.high - d.low <= 0.0) {
        EXPECT_EQ(*a, (std::array<double, 3>{d.low, d.low, d.low})) << where;
        EXPECT_EQ(*b, (std::array<double, 3>{d.low, d.low, d.low})) << where;
        EXPECT_EQ(*n, (std::array<double, 2>{d.low, d.low})) << where;
        continue;
      }
      const auto area = dense_value_area(d, s.r);
      EXPECT_EQ((*a)[0], centre(d, area.poc)) << where;
      EXPECT_EQ((*a)[1], (static_cast<double>(area.hi) + 1.0) * d.width + d.low) << where;
      EXPECT_EQ((*a)[2], static_cast<double>(area.lo) * d.width + d.low) << where;
      EXPECT_EQ(*b, (std::array<double, 3>{centre(d, area.poc), centre(d, area.hi), centre(d, area.lo)})) << where;
      std::uint64_t m = area.poc;  // the lowest bin of smallest positive volume, else the POC
      bool positive = false;
      for (std::uint64_t k = 0; k < s.bins; ++k) {
        if (d.bins[k] > 0.0 && (!positive || d.bins[k] < d.bins[m])) {
          m = k;
          positive = true;
        }
      }
      EXPECT_EQ(*n, (std::array<double, 2>{centre(d, area.poc), centre(d, m)})) << where;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Repeated additions: the total and the value area add one bin at a time; runs of equal bins are
// added in stretches that must land on the same bits as the literal loop.

/// A small deterministic generator (xorshift64*).
struct Rng {
  std::uint64_t s;
  std::uint64_t next() {
    s ^= s >> 12;
    s ^= s << 25;
    s ^= s >> 27;
    return s * 0x2545F4914F6CDD1Dull;
  }
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
  std::uint64_t below(std::uint64_t n) { return next() % n; }
};

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

/// `count` additions of v, each rounded on its own.
double literal_sum(double a, double v, std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) a = a + v;
  return a;
}

/// At most `count` additions of v, each made only while target > a; the number made.
profiles::RepeatedSum literal_until(double a, double v, std::uint64_t count, double target) {
  std::uint64_t n = 0;
  while (n < count && target > a) {
    a = a + v;
    ++n;
  }
  return {a, n};
}

/// Both forms of the repeated addition against the literal loops, for a start, a value, a count and
/// targets reached exactly, just missed, just passed, far off, already passed and NaN.
void expect_repeated_sums_match(double a, double v, std::uint64_t count, Rng& rng, const std::string& where) {
  const double sum = literal_sum(a, v, count);
  ASSERT_EQ(bits(profiles::add_repeatedly(a, v, count)), bits(sum)) << where;
  const double mid = literal_sum(a, v, count == 0 ? 0 : rng.below(count + 1));
  const double targets[] = {mid,
                            std::nextafter(mid, Inf),
                            std::nextafter(mid, -Inf),
                            sum,
                            std::nextafter(sum, Inf),
                            Inf,
                            a,
                            a - 1.0,
                            mid * (1.0 + 0x1p-40),
                            NaN};
  for (const double t : targets) {
    const profiles::RepeatedSum want = literal_until(a, v, count, t);
    const profiles::RepeatedSum got = profiles::add_repeatedly_until(a, v, count, t);
    ASSERT_EQ(bits(got.sum), bits(want.sum)) << where << " target " << t;
    ASSERT_EQ(got.additions, want.additions) << where << " target " << t;
  }
}

TEST(Profiles, RepeatedAdditionMatchesTheLiteralLoop) {
  struct Case {
    double a;
    double v;
    std::uint64_t count;
  };
  const double max = std::numeric_limits<double>::max();
  const Case cases[] = {
      {-0.0, 0.0, 1000},                                // -0 + 0 is +0, then nothing changes
      {-0.0, 0.1, 1'000'000},                           // rounding at every addition, many binades
      {0.0, 1.0 / 3.0, 3'000'000},
      {1e6, 1e-10, 2'000'000},                          // below one unit: rounds up to one unit
      {1e6, 0.4 * 0x1p-33, 1000},                       // under half a unit: never changes
      {1.0, 0x1p-53, 1000},                             // half a unit from an even sum: never changes
      {1.0 + 0x1p-52, 0x1p-53, 1000},                   // ... from an odd sum: once, to the even one
      {1.0, 3 * 0x1p-53, 3'000'000},                    // 1.5 units: 2 at a time from an even sum
      {1.0 + 0x1p-52, 3 * 0x1p-53, 3'000'000},          // ... after one addition from an odd sum
      {1.0, 5 * 0x1p-53, 3'000'000},                    // 2.5 units: 2 at a time
      {1.0 + 0x1p-52, 5 * 0x1p-53, 3'000'000},
      {0x1p53 - 4.0, 1.0, 100},                         // one at a time, then a tie that stops it
      {0x1p53 - 3.0, 3.0, 2'000'000},                   // 1.5 units above 2^53
      {0x1p52 - 0.5, 0.75, 2'000'000},
      {5e-324, 5e-324, 3'000'000},                      // subnormals into normals
      {0x1p-1022 - 0x1p-1074, 3 * 0x1p-1074, 1'000'000},
      {0.0, 0x1p-1060, 1'000'000},
      {1e308, 1e307, 100},                              // overflow: infinity, then no change
      {1.7e308, 1e292, 3'000'000},                      // the top binade
      {max, max, 100},
      {Inf, 1.0, 100},
      {1.0, Inf, 100},
      {12345.678, 0.1, 3'000'000},
      {2.0, 1e300, 100},
      {7.0, 0.0, 1'000'000},
  };
  Rng rng{0x5EEDu};
  for (const Case& c : cases) {
    expect_repeated_sums_match(c.a, c.v, c.count, rng, "a " + std::to_string(c.a) + " v " + std::to_string(c.v));
  }
  // Random starts and values: values of any size against the sum, and small odd multiples of a
  // power of two, which land on exact halves of a unit as the sum grows.
  for (int i = 0; i < 400; ++i) {
    const double a = i % 10 == 0 ? (i % 20 == 0 ? -0.0 : 0.0) : std::ldexp(1.0 + rng.unit(), static_cast<int>(rng.below(60)) - 30);
    const double scale = a > 0.0 ? a : 1.0;
    double v = 0.0;
    switch (rng.below(3)) {
      case 0:
        v = scale * std::ldexp(1.0 + rng.unit(), -static_cast<int>(rng.below(60)));
        break;
      case 1: {
        int e = 0;
        (void)std::frexp(scale, &e);
        v = std::ldexp(static_cast<double>(2 * rng.below(8) + 1), e - 54 - static_cast<int>(rng.below(24)));
        break;
      }
      default:
        v = scale * static_cast<double>(rng.below(5)) / static_cast<double>(1 + rng.below(7));
    }
    const std::uint64_t count = rng.below(4) == 0 ? rng.below(20) : rng.below(300'000);
    expect_repeated_sums_match(a, v, count, rng, "random case " + std::to_string(i));
  }
}

// Random windows of a few bars over up to millions of bins (long runs of equal bins), with
// zero-volume bars, flat bars and whole flat windows, equal volumes (ties on both sides of the POC)
// and shares that round at every addition: the value areas equal the literal bin-by-bin loop.
TEST(Profiles, ValueAreasMatchTheLiteralLoopOnRandomWindows) {
  struct Shape {
    std::uint64_t period;
    std::uint64_t bins;
    int bars;
  };
  const Shape shapes[] = {{1, 3, 60},         {4, 17, 80},        {6, 64, 80},         {3, 4096, 60},
                          {2, 65536, 40},     {5, 1'000'003, 20}, {1, 1u << 20, 12},   {3, 1u << 22, 8}};
  const double fractions[] = {0.05, 0.5, 0.68, 0.7, 0.999, 1.0};
  const double volumes[] = {0.0, 1.0, 2.0, 3.0, 0.1, 1.0 / 3.0, 3 * 0x1p-30, 0x1p53 + 2.0, 1e15 / 7.0, 1234.5678};
  Rng rng{0xC0FFEEu};
  for (const Shape& s : shapes) {
    std::vector<ValueArea> areas;
    std::vector<CompositeProfile> composites;
    for (const double r : fractions) {
      areas.push_back(ValueArea::create(s.period, s.bins, r).value());
      composites.push_back(CompositeProfile::create(s.period, s.bins, r).value());
    }
    std::vector<Candle> window;
    int flat_left = 0;
    for (int i = 0; i < s.bars; ++i) {
      // Prices on a quarter grid (shared bin edges); now and then a stretch of flat bars at one
      // price, long enough to flatten the whole window.
      if (flat_left == 0 && rng.below(8) == 0) flat_left = static_cast<int>(s.period) + 1;
      const double low = flat_left > 0 ? 100.0 : 100.0 + 0.25 * static_cast<double>(rng.below(9));
      const double high = flat_left > 0 ? 100.0 : low + 0.25 * static_cast<double>(rng.below(5));
      flat_left = std::max(flat_left - 1, 0);
      const double v = rng.below(3) == 0 ? volumes[rng.below(4)] : volumes[rng.below(std::size(volumes))];
      const Candle c = span(low, high, v, i);
      window.push_back(c);
      if (window.size() > s.period) window.erase(window.begin());
      const Dense d = window.size() == s.period ? dense_profile(window, s.bins, false) : Dense{};
      for (std::size_t f = 0; f < std::size(fractions); ++f) {
        const auto a = areas[f].update(c);
        const auto b = composites[f].update(c);
        const std::string where = "period " + std::to_string(s.period) + " bins " + std::to_string(s.bins) +
                                  " r " + std::to_string(fractions[f]) + " bar " + std::to_string(i);
        if (window.size() < s.period) {
          EXPECT_FALSE(a || b) << where;
          continue;
        }
        ASSERT_TRUE(a && b) << where;
        if (d.high - d.low <= 0.0) {
          EXPECT_EQ(*a, (std::array<double, 3>{d.low, d.low, d.low})) << where;
          EXPECT_EQ(*b, (std::array<double, 3>{d.low, d.low, d.low})) << where;
          continue;
        }
        const auto area = dense_value_area(d, fractions[f]);
        EXPECT_EQ(*a, (std::array<double, 3>{centre(d, area.poc), (static_cast<double>(area.hi) + 1.0) * d.width + d.low,
                                             static_cast<double>(area.lo) * d.width + d.low}))
            << where;
        EXPECT_EQ(*b, (std::array<double, 3>{centre(d, area.poc), centre(d, area.hi), centre(d, area.lo)})) << where;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Hand-checked profiles

// Window [10, 14] in 4 bins of width 1: bar 1 spans bins 0-2 with 30 (10 each), bar 2 bins 1-3 with
// 20 (20/3 each; its high 14 is clamped into bin 3), bar 3 sits in bin 0 with 10. Bins: 20, 10 + 20/3,
// 10 + 20/3, 20/3; the POC is bin 0.
TEST(Profiles, HandCheckedWindowOfThree) {
  const Candle bars[] = {span(10, 12, 30), span(11, 14, 20), span(10, 10.5, 10)};
  auto vp = VolumeProfile::create(3, 4).value();
  auto va = ValueArea::create(3, 4, 0.7).value();
  auto cp = CompositeProfile::create(3, 4, 0.7).value();
  auto nodes = HighLowVolumeNodes::create(3, 4).value();
  auto tpo = TpoProfile::create(3, 4).value();
  auto singles = SinglePrints::create(3, 4).value();
  auto shape = ProfileShape::create(3, 4).value();
  for (int i = 0; i < 2; ++i) {
    EXPECT_FALSE(vp.update(bars[i]) || va.update(bars[i]) || cp.update(bars[i]) || nodes.update(bars[i]) ||
                 tpo.update(bars[i]) || singles.update(bars[i]) || shape.update(bars[i]));
  }
  EXPECT_EQ(vp.update(bars[2]), (std::array<double, 2>{10.0, 14.0}));
  const double third = 20.0 / 3.0;
  const auto p = vp.profile();
  ASSERT_TRUE(p);
  EXPECT_EQ(p->at(0), 20.0);
  EXPECT_EQ(p->at(1), 10.0 + third);
  EXPECT_EQ(p->at(2), 10.0 + third);
  EXPECT_EQ(p->at(3), 0.0 + third);
  // total = 60 (to the bit here), target 42: bin 0, then bin 1 (36.67), then bin 2 (53.33) stops.
  EXPECT_EQ(va.update(bars[2]), (std::array<double, 3>{10.5, 13.0, 10.0}));
  EXPECT_EQ(cp.update(bars[2]), (std::array<double, 3>{10.5, 12.5, 10.5}));
  EXPECT_EQ(nodes.update(bars[2]), (std::array<double, 2>{10.5, 13.5}));  // lvn: bin 3, the smallest
  EXPECT_EQ(tpo.update(bars[2]), (std::array<double, 2>{10.0, 14.0}));
  const auto t = tpo.profile();
  ASSERT_TRUE(t);
  EXPECT_EQ(t->at(0), 2u);
  EXPECT_EQ(t->at(1), 2u);
  EXPECT_EQ(t->at(2), 2u);
  EXPECT_EQ(t->at(3), 1u);
  EXPECT_EQ(singles.update(bars[2]), 1.0);
  EXPECT_EQ(shape.update(bars[2]), -1.0);  // k = 0 < 4 / 3
  // A fourth bar drops the first: [10, 14] again, bins 10 + 8, 20/3, 20/3, 20/3.
  const Candle fourth = span(10, 10.5, 8);
  EXPECT_EQ(vp.update(fourth), (std::array<double, 2>{10.0, 14.0}));
  EXPECT_EQ(vp.profile()->at(0), 10.0 + 8.0);
  EXPECT_EQ(vp.profile()->at(1), 0.0 + third);
}

// Bins 1, 1, 4, 1, 1 over [0, 5]: equal neighbours around the POC, so the area grows upwards first.
TEST(Profiles, ValueAreaGrowsUpOnTiesAndStopsAtTheTarget) {
  struct Case {
    double r;
    std::array<double, 3> value_area;  // poc, vah, val
    std::array<double, 3> composite;
  };
  const Case cases[] = {
      {0.5, {2.5, 3.0, 2.0}, {2.5, 2.5, 2.5}},   // 4 of 8 is reached by the POC alone
      {0.6, {2.5, 4.0, 2.0}, {2.5, 3.5, 2.5}},   // 4.8: one bin up (tie)
      {0.75, {2.5, 5.0, 2.0}, {2.5, 4.5, 2.5}},  // 6: up again (tie), then reached
      {0.8, {2.5, 5.0, 1.0}, {2.5, 4.5, 1.5}},   // 6.4: nothing above, one bin down
      {1.0, {2.5, 5.0, 0.0}, {2.5, 4.5, 0.5}},   // everything: val = G, vah = T
  };
  for (const Case& c : cases) {
    auto va = ValueArea::create(2, 5, c.r).value();
    auto cp = CompositeProfile::create(2, 5, c.r).value();
    for (const Candle& b : {span(0, 5, 5), span(2, 2.5, 3)}) {
      const auto a = va.update(b);
      const auto p = cp.update(b);
      if (b.high == 5) continue;
      EXPECT_EQ(a, c.value_area) << c.r;
      EXPECT_EQ(p, c.composite) << c.r;
    }
  }
}

TEST(Profiles, FlatAndEmptyWindows) {
  // Every candle at 7: the span is zero and every level is that price; the POC is bin 0.
  {
    auto va = ValueArea::create(3, 10, 0.7).value();
    auto cp = CompositeProfile::create(3, 10, 0.7).value();
    auto nodes = HighLowVolumeNodes::create(3, 10).value();
    auto shape = ProfileShape::create(3, 10).value();
    auto vp = VolumeProfile::create(3, 10).value();
    auto singles = SinglePrints::create(3, 10).value();
    auto single_one = SinglePrints::create(1, 10).value();
    for (int i = 0; i < 3; ++i) {
      const Candle c = candle(7, 7, 7, 7, 2.0 + i);
      va.update(c);
      cp.update(c);
      nodes.update(c);
      shape.update(c);
      vp.update(c);
      singles.update(c);
      EXPECT_EQ(single_one.update(c), 1.0);  // one candle in bin 0
    }
    const Candle c = candle(7, 7, 7, 7, 1.0);
    EXPECT_EQ(va.update(c), (std::array<double, 3>{7.0, 7.0, 7.0}));
    EXPECT_EQ(cp.update(c), (std::array<double, 3>{7.0, 7.0, 7.0}));
    EXPECT_EQ(nodes.update(c), (std::array<double, 2>{7.0, 7.0}));
    EXPECT_EQ(shape.update(c), -1.0);
    EXPECT_EQ(vp.update(c), (std::array<double, 2>{7.0, 7.0}));
    EXPECT_EQ(vp.profile()->at(0), 3.0 + 4.0 + 1.0);  // the window's volume, oldest first
    EXPECT_EQ(vp.profile()->at(9), 0.0);
    EXPECT_EQ(singles.update(c), 0.0);  // three candles in bin 0
  }
  // A spread window without volume: every bin is 0, so the POC is bin 0, the area stays there and
  // the low-volume node falls back to the POC.
  {
    auto va = ValueArea::create(2, 4, 0.7).value();
    auto nodes = HighLowVolumeNodes::create(2, 4).value();
    va.update(span(0, 4, 0.0));
    nodes.update(span(0, 4, 0.0));
    EXPECT_EQ(va.update(span(1, 3, 0.0)), (std::array<double, 3>{0.5, 1.0, 0.0}));
    EXPECT_EQ(nodes.update(span(1, 3, 0.0)), (std::array<double, 2>{0.5, 0.5}));
  }
}

TEST(Profiles, ProfileShapeByThePocsThird) {
  // A full-range bar over [0, 3] in three bins (1 each) and a second bar that lifts one bin.
  struct Case {
    double low, high;
    double shape;
  };
  const Case cases[] = {
      {2.5, 3.0, 1.0},   // POC bin 2 >= 3 - 1
      {1.2, 1.8, 0.0},   // POC bin 1
      {0.0, 0.5, -1.0},  // POC bin 0 < 1
      {0.0, 3.0, -1.0},  // all equal: the lowest bin wins the tie
  };
  for (const Case& c : cases) {
    auto shape = ProfileShape::create(2, 3).value();
    EXPECT_FALSE(shape.update(span(0, 3, 3)));
    EXPECT_EQ(shape.update(span(c.low, c.high, 1)), c.shape) << c.low;
  }
  // Seven bins: thirds are 2, so bins 0-1 give -1, 2-4 give 0 and 5-6 give +1.
  for (std::uint64_t k = 0; k < 7; ++k) {
    auto shape = ProfileShape::create(2, 7).value();
    shape.update(span(0, 7, 7));
    const double lo = static_cast<double>(k) + 0.25;
    const double expected = k >= 5 ? 1.0 : (k < 2 ? -1.0 : 0.0);
    EXPECT_EQ(shape.update(span(lo, lo + 0.5, 1)), expected) << k;
  }
}

// With bin counts up to MAX_PERIOD the members stay exact while their storage follows the candles.
TEST(Profiles, HugeBinCountsStayBoundedAndExact) {
  constexpr std::uint64_t bins = 16777216;
  auto nodes = HighLowVolumeNodes::create(3, bins).value();
  auto singles = SinglePrints::create(3, bins).value();
  auto shape = ProfileShape::create(3, bins).value();
  auto va = ValueArea::create(3, bins, 0.5).value();
  // Width 1: bins 0..4194303 hold 2, bin 8388608 holds 1 + 100, every other bin 1.
  const Candle bars[] = {span(0, 16777216, 16777216), span(0, 4194303.5, 4194304), span(8388608, 8388608, 100)};
  for (int i = 0; i < 2; ++i) {
    EXPECT_FALSE(nodes.update(bars[i]));
    EXPECT_FALSE(singles.update(bars[i]));
    EXPECT_FALSE(shape.update(bars[i]));
    EXPECT_FALSE(va.update(bars[i]));
  }
  EXPECT_EQ(nodes.update(bars[2]), (std::array<double, 2>{8388608.5, 4194304.5}));
  EXPECT_EQ(shape.update(bars[2]), 0.0);  // 5592405 <= k < 16777216 - 5592405
  // Counts: 2 below 4194304 and at 8388608, 1 elsewhere.
  EXPECT_EQ(singles.update(bars[2]), 16777216.0 - 4194304.0 - 1.0);
  // Total 20971620, target 10485810: from the POC (101) the ties go up through the 8388607 bins
  // of 1 above it (8388708), then 2097102 bins of 1 below it reach the target exactly.
  EXPECT_EQ(va.update(bars[2]), (std::array<double, 3>{8388608.5, 16777216.0, 8388608.0 - 2097102.0}));
}

// ---------------------------------------------------------------------------------------------------
// Naked points of control

TEST(Profiles, NakedPocListsBlockPocsUntilTradedThrough) {
  auto naked = NakedPoc::create(2, 2).value();
  struct Step {
    Candle c;
    std::optional<double> value;
    std::vector<double> list;
  };
  const Step steps[] = {
      // Block [9, 12], width 1.5: bar 1 spans bins 0-1 (0.5 each), bar 2 spans 0-1 (1.5 each): the
      // tie goes to bin 0, centre 0.5 * 1.5 + 9.
      {candle(10, 11, 9, 10, 1), std::nullopt, {}},
      {candle(11, 12, 10, 11, 3), 9.75, {9.75}},
      {candle(18, 20, 15, 18, 1), 9.75, {9.75}},
      // Block [15, 21], width 3: bin 1 wins (0.5 + 1), centre 19.5; this bar spans 19.5 but the POC
      // joins after the test.
      {candle(20, 21, 19, 20, 1), 19.5, {9.75, 19.5}},
      // 14.625 is 4.875 from both: the earliest listed wins.
      {candle(14.625, 15, 14.5, 14.625, 1), 9.75, {9.75, 19.5}},
      // Trades through both; its block [9.5, 19.6] gives bin 0 (tie), centre 0.5 * 5.05 + 9.5.
      {candle(15, 19.6, 9.5, 15, 1), 0.5 * ((19.6 - 9.5) / 2.0) + 9.5, {0.5 * ((19.6 - 9.5) / 2.0) + 9.5}},
      // Trades through the last one: the list is empty and the close is the value.
      {candle(12.5, 13, 12, 12.5, 1), 12.5, {}},
  };
  int i = 0;
  for (const Step& s : steps) {
    EXPECT_EQ(naked.update(s.c), s.value) << "bar " << i;
    EXPECT_EQ(naked.naked(), s.list) << "bar " << i;
    ++i;
  }
  // A flat block lists its price.
  auto flat = NakedPoc::create(1, 5).value();
  EXPECT_EQ(flat.update(candle(3, 3, 3, 3, 1)), 3.0);
  // 3 is not traded through; the block [4, 6] spreads evenly over five bins, so its POC is bin 0.
  const double poc = 0.5 * (2.0 / 5.0) + 4.0;
  EXPECT_EQ(flat.update(candle(5, 6, 4, 5, 1)), poc);
  EXPECT_EQ(flat.naked(), (std::vector<double>{3.0, poc}));
}

// ---------------------------------------------------------------------------------------------------
// Run-anchored ranges

TEST(Profiles, InitialBalanceAndOpeningRangeFreezeAfterNCandles) {
  auto ib = InitialBalance::create(2).value();
  auto orng = OpeningRange::create(2).value();
  struct Step {
    Candle c;
    std::array<double, 2> range;
    double breakout;
  };
  const Step steps[] = {
      {candle(9, 10, 8, 9), {10, 8}, 9 - (8 + 10) * 0.5},
      {candle(11, 12, 9, 11), {12, 8}, 11 - (8 + 12) * 0.5},
      {candle(15, 20, 1, 15), {12, 8}, 5.0},  // outside the range, which stays frozen
      {candle(4, 5, 3, 4), {12, 8}, -6.0},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(ib.update(s.c), s.range);
    EXPECT_EQ(orng.update(s.c), (std::array<double, 3>{s.range[0], s.range[1], s.breakout}));
  }
}

// ---------------------------------------------------------------------------------------------------
// Local calendar and sessions

TEST(Profiles, LocalCalendarFloorsNegativeTimesAndOffsets) {
  struct Case {
    std::int64_t time;
    std::int32_t offset;
    std::int64_t day;
    int hour;
    profiles::CivilDate date;
  };
  const Case cases[] = {
      {0, 0, 0, 0, {1970, 1, 1}},
      {-1, 0, -1, 23, {1969, 12, 31}},  // -1 ms is second -1
      {-1000, 0, -1, 23, {1969, 12, 31}},
      {-1001, 0, -1, 23, {1969, 12, 31}},
      {-86'400'000, 0, -1, 0, {1969, 12, 31}},
      {-86'400'001, 0, -2, 23, {1969, 12, 30}},
      {999, -1, -1, 23, {1969, 12, 31}},  // a minute behind UTC
      {JAN_1_2024_MS + 3 * HOUR_MS, -300, 19722, 22, {2023, 12, 31}},  // 03:00 UTC is 22:00 the day before
      {JAN_1_2024_MS + 5 * HOUR_MS, -300, 19723, 0, {2024, 1, 1}},
      {JAN_1_2024_MS + 23 * HOUR_MS, 60, 19724, 0, {2024, 1, 2}},
      {JAN_1_2024_MS + 59 * DAY_MS, 0, 19782, 0, {2024, 2, 29}},
      {JAN_1_2024_MS + 60 * DAY_MS, 0, 19783, 0, {2024, 3, 1}},
      {951'782'400'000, 0, 11016, 0, {2000, 2, 29}},    // a century leap year
      {-2'203'891'200'000, 0, -25508, 0, {1900, 3, 1}},  // 1900 has no 29 February
      {-62'135'596'800'000, 0, -719162, 0, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    const profiles::LocalTime t = profiles::LocalCalendar(c.offset).at(c.time);
    EXPECT_EQ(t.day, c.day) << c.time;
    EXPECT_EQ(t.hour, c.hour) << c.time;
    EXPECT_EQ(profiles::civil_from_days(t.day), c.date) << c.time;
  }
  EXPECT_EQ(profiles::month_length(2024, 2), 29u);
  EXPECT_EQ(profiles::month_length(2023, 2), 28u);
  EXPECT_EQ(profiles::month_length(2000, 2), 29u);
  EXPECT_EQ(profiles::month_length(1900, 2), 28u);
  EXPECT_EQ(profiles::month_length(2023, 4), 30u);
  EXPECT_EQ(profiles::month_length(2023, 12), 31u);
  // The extremes of the time range do not overflow.
  const auto far = profiles::LocalCalendar(2147483647).at(std::numeric_limits<std::int64_t>::max());
  EXPECT_GE(far.hour, 0);
  EXPECT_LT(far.hour, 24);
  const auto early = profiles::LocalCalendar(-2147483647 - 1).at(std::numeric_limits<std::int64_t>::min());
  EXPECT_GE(early.hour, 0);
  EXPECT_LT(early.hour, 24);
}

TEST(Profiles, SessionHighLowRestartsOnEachLocalDate) {
  // UTC-5: 12:00 and 03:00 UTC of the next day are the same local date; 06:00 UTC is the next one.
  auto s = SessionHighLow::create(-300).value();
  const std::int64_t d = JAN_1_2024_MS;
  EXPECT_EQ(s.update(span(10, 12, 1, d + 12 * HOUR_MS)), (std::array<double, 2>{12, 10}));
  EXPECT_EQ(s.update(span(9, 11, 1, d + 27 * HOUR_MS)), (std::array<double, 2>{12, 9}));
  EXPECT_EQ(s.update(span(13, 14, 1, d + 30 * HOUR_MS)), (std::array<double, 2>{14, 13}));
  EXPECT_EQ(s.update(span(12, 13.5, 1, d + 31 * HOUR_MS)), (std::array<double, 2>{14, 12}));
  // Negative times: -1 ms and 0 are different dates in UTC.
  auto u = SessionHighLow::create(0).value();
  EXPECT_EQ(u.update(span(1, 2, 1, -1)), (std::array<double, 2>{2, 1}));
  EXPECT_EQ(u.update(span(5, 6, 1, -86'399'999)), (std::array<double, 2>{6, 1}));
  EXPECT_EQ(u.update(span(3, 4, 1, 0)), (std::array<double, 2>{4, 3}));
}

TEST(Profiles, SessionRangeSplitsTheDateByLocalHour) {
  auto s = SessionRange::create(0).value();
  const std::int64_t d = JAN_1_2024_MS;
  struct Step {
    std::int64_t time;
    Candle c;
    std::array<double, 3> ranges;  // asia, eu, us
  };
  const Step steps[] = {
      {d + 3 * HOUR_MS, span(9, 10), {1, 0, 0}},
      {d + 8 * HOUR_MS - 1, span(8.5, 9.5), {1.5, 0, 0}},   // 07:59:59.999 is still asia
      {d + 8 * HOUR_MS, span(11.5, 12), {1.5, 0.5, 0}},      // hour 8 opens eu; asia keeps its range
      {d + 16 * HOUR_MS - 1, span(11, 11.25), {1.5, 1, 0}},
      {d + 16 * HOUR_MS, span(12, 13), {1.5, 1, 1}},
      {d + 24 * HOUR_MS - 1, span(12.5, 14), {1.5, 1, 2}},
      {d + 24 * HOUR_MS, span(20, 20), {0, 0, 0}},  // a new date empties all three; a flat bar is 0 wide
      {d + 30 * HOUR_MS, span(20, 21), {1, 0, 0}},
      {d + 40 * HOUR_MS, span(19, 19.5), {1, 0, 0.5}},
  };
  for (const Step& st : steps) {
    Candle c = st.c;
    c.time = st.time;
    EXPECT_EQ(s.update(c), st.ranges) << st.time - d;
  }
  // With an offset of +60 minutes, 23:00 UTC is hour 0 of the next local date.
  auto east = SessionRange::create(60).value();
  EXPECT_EQ(east.update(span(1, 3, 1, d + 22 * HOUR_MS)), (std::array<double, 3>{0, 0, 2}));
  EXPECT_EQ(east.update(span(1, 2, 1, d + 23 * HOUR_MS)), (std::array<double, 3>{1, 0, 0}));
}

TEST(Profiles, SessionVwapWeighsTheTypicalPriceAndRestartsDaily) {
  auto s = SessionVwap::create(0).value();
  const std::int64_t d = JAN_1_2024_MS;
  EXPECT_EQ(s.update(candle(10, 11, 9, 10, 2, d)), (2.0 * ((11.0 + 9.0 + 10.0) / 3.0) + 0.0) / 2.0);
  const double pv = 2.0 * ((11.0 + 9.0 + 10.0) / 3.0) + 0.0;
  const double tp2 = (13.0 + 10.0 + 12.5) / 3.0;
  EXPECT_EQ(s.update(candle(12, 13, 10, 12.5, 1, d + HOUR_MS)), (1.0 * tp2 + pv) / (1.0 + 2.0));
  // A session without volume yields each candle's typical price.
  EXPECT_EQ(s.update(candle(6, 6, 3, 6, 0, d + DAY_MS)), (6.0 + 3.0 + 6.0) / 3.0);
  EXPECT_EQ(s.update(candle(5, 7, 4, 4.5, 0, d + DAY_MS + HOUR_MS)), (7.0 + 4.0 + 4.5) / 3.0);
  // Volume later in the session takes over.
  const double tp5 = (8.0 + 5.0 + 7.0) / 3.0;
  EXPECT_EQ(s.update(candle(7, 8, 5, 7, 4, d + DAY_MS + 2 * HOUR_MS)), (4.0 * tp5 + 0.0) / (4.0 + 0.0));
}

TEST(Profiles, OvernightGapAndReturns) {
  auto gap = OvernightGap::create(0).value();
  auto ret = OvernightIntradayReturn::create(0).value();
  const std::int64_t d = JAN_1_2024_MS;
  struct Step {
    Candle c;
    std::optional<double> gap;
    std::optional<std::array<double, 2>> returns;  // overnight, intraday
  };
  const Step steps[] = {
      {candle(100, 101, 99, 101, 1, d), std::nullopt, std::nullopt},
      {candle(101, 103, 100, 102, 1, d + HOUR_MS), std::nullopt, std::nullopt},
      {candle(104, 106, 103, 105, 1, d + DAY_MS), 104.0 / 102.0 - 1.0,
       std::array<double, 2>{104.0 / 102.0 - 1.0, 105.0 / 104.0 - 1.0}},
      {candle(103, 103, 0, 0, 1, d + DAY_MS + HOUR_MS), 104.0 / 102.0 - 1.0,
       std::array<double, 2>{104.0 / 102.0 - 1.0, 0.0 / 104.0 - 1.0}},
      // The previous close is exactly 0: the gap and the overnight return are 0.
      {candle(5, 6, 4, 6, 1, d + 3 * DAY_MS), 0.0, std::array<double, 2>{0.0, 6.0 / 5.0 - 1.0}},
      // A session opening at 0: the intraday return is 0.
      {candle(0, 2, 0, 1, 1, d + 4 * DAY_MS), 0.0 / 6.0 - 1.0, std::array<double, 2>{0.0 / 6.0 - 1.0, 0.0}},
      {candle(1, 3, 1, 3, 1, d + 4 * DAY_MS + HOUR_MS), 0.0 / 6.0 - 1.0, std::array<double, 2>{-1.0, 0.0}},
  };
  int i = 0;
  for (const Step& s : steps) {
    EXPECT_EQ(gap.update(s.c), s.gap) << "bar " << i;
    EXPECT_EQ(ret.update(s.c), s.returns) << "bar " << i;
    ++i;
  }
}

TEST(Profiles, TurnOfMonthAveragesTheLastAndFirstDaysOfEachMonth) {
  // Daily closes from 2024-02-25 to 2024-03-05; February 2024 has 29 days, so with first_days 3 and
  // last_days 2 the turn-of-month days are 28 and 29 February and 1 to 3 March. A day's return is
  // counted when the next date opens.
  const std::int64_t feb25 = JAN_1_2024_MS + 55 * DAY_MS;
  const double closes[] = {100, 101, 102, 104, 103, 105, 106, 108, 107, 109};
  auto tom = TurnOfMonth::create(3, 2, 0).value();
  auto tom_2023 = TurnOfMonth::create(3, 2, 0).value();  // the same closes a year earlier
  const std::int64_t feb25_2023 = feb25 - 365 * DAY_MS;
  std::vector<std::optional<double>> got;
  std::vector<std::optional<double>> got_2023;
  for (int i = 0; i < 10; ++i) {
    // Two candles a day: only the day's last close counts.
    tom.update(candle(50, 200, 50, 150, 1, feb25 + i * DAY_MS + HOUR_MS));
    got.push_back(tom.update(candle(50, 200, 50, closes[i], 1, feb25 + i * DAY_MS + 20 * HOUR_MS)));
    got_2023.push_back(tom_2023.update(candle(50, 200, 50, closes[i], 1, feb25_2023 + i * DAY_MS)));
  }
  const double r28 = 104.0 / 102.0 - 1.0;
  const double r29 = 103.0 / 104.0 - 1.0;
  const double r1 = 105.0 / 103.0 - 1.0;
  const double r2 = 106.0 / 105.0 - 1.0;
  const double r3 = 108.0 / 106.0 - 1.0;
  const std::vector<std::optional<double>> expected = {
      std::nullopt,                                      // 25 Feb
      std::nullopt,                                      // 26: the 25th has no reference
      std::nullopt,                                      // 27: the 26th is not a turn day
      std::nullopt,                                      // 28: nor is the 27th (27 <= 29 - 2)
      (0.0 + r28) / 1.0,                                 // 29
      (0.0 + r28 + r29) / 2.0,                           // 1 Mar
      (0.0 + r28 + r29 + r1) / 3.0,                      // 2
      (0.0 + r28 + r29 + r1 + r2) / 4.0,                 // 3
      (0.0 + r28 + r29 + r1 + r2 + r3) / 5.0,            // 4
      (0.0 + r28 + r29 + r1 + r2 + r3) / 5.0,            // 5: the 4th is not a turn day
  };
  EXPECT_EQ(got, expected);
  // In 2023 February has 28 days, so 27 February is a turn day too (one candle a day here).
  const double q27 = 102.0 / 101.0 - 1.0;
  const double q28 = 104.0 / 102.0 - 1.0;
  const double q1 = 103.0 / 104.0 - 1.0;
  EXPECT_EQ(got_2023[2], std::nullopt);
  EXPECT_EQ(got_2023[3], (0.0 + q27) / 1.0);
  EXPECT_EQ(got_2023[4], (0.0 + q27 + q28) / 2.0);
  EXPECT_EQ(got_2023[5], (0.0 + q27 + q28 + q1) / 3.0);

  // last_days above the month length makes every day count; 0 and 0 count none.
  auto all = TurnOfMonth::create(0, 40, 0).value();
  auto none = TurnOfMonth::create(0, 0, 0).value();
  for (int i = 0; i < 10; ++i) {
    const Candle c = candle(50, 200, 50, closes[i], 1, feb25 + i * DAY_MS);
    const auto a = all.update(c);
    EXPECT_EQ(a.has_value(), i >= 2) << i;
    EXPECT_FALSE(none.update(c).has_value()) << i;
  }
  // A zero reference close gives a zero return; the offset moves the date boundary.
  auto zero = TurnOfMonth::create(31, 0, -60).value();
  zero.update(candle(0, 1, 0, 0, 1, feb25));                              // 24 Feb local, close 0
  zero.update(candle(1, 5, 1, 5, 1, feb25 + HOUR_MS));                    // 25 Feb local
  zero.update(candle(1, 5, 1, 4, 1, feb25 + 2 * HOUR_MS));                // still 25 Feb
  EXPECT_EQ(zero.update(candle(1, 5, 1, 2, 1, feb25 + DAY_MS + HOUR_MS)), 0.0);  // 26 Feb: 25th vs 0
  EXPECT_EQ(zero.update(candle(1, 5, 1, 2, 1, feb25 + 2 * DAY_MS + HOUR_MS)), (0.0 + 0.0 + (2.0 / 4.0 - 1.0)) / 2.0);
}

}  // namespace
}  // namespace sorvik

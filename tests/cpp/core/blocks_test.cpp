// The shared numeric building blocks.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {
namespace {

std::vector<double> contents(const Window<double>& w) {
  std::vector<double> v;
  w.for_each([&](double x) { v.push_back(x); });
  return v;
}

TEST(Window, FifoOldestFirst) {
  Window<double> w(3);
  EXPECT_FALSE(w.push(1).has_value());
  EXPECT_FALSE(w.push(2).has_value());
  EXPECT_FALSE(w.full());
  EXPECT_FALSE(w.push(3).has_value());
  EXPECT_TRUE(w.full());
  EXPECT_EQ(w.push(4), 1.0);
  EXPECT_EQ(w.push(5), 2.0);
  EXPECT_EQ(contents(w), (std::vector<double>{3, 4, 5}));
  EXPECT_EQ(w.oldest(), 3.0);
  EXPECT_EQ(w.newest(), 5.0);
  EXPECT_EQ(w[1], 4.0);
  EXPECT_EQ(w.back(0), 5.0);
  EXPECT_EQ(w.back(2), 3.0);
  EXPECT_EQ(w.size(), 3u);
}

TEST(Window, MaxPeriodCostsMemoryOnlyAsValuesArrive) {
  Window<double> w(MAX_PERIOD);
  EXPECT_EQ(w.reserved(), 0u);
  for (int i = 0; i < 100; ++i) w.push(i);
  EXPECT_LE(w.reserved(), 256u);
  EXPECT_EQ(w.capacity(), MAX_PERIOD);
  // Growth never exceeds the window length.
  Window<double> small(10);
  for (int i = 0; i < 50; ++i) small.push(i);
  EXPECT_EQ(small.reserved(), 10u);
  EXPECT_EQ(contents(small).front(), 40.0);
}

TEST(RunningSum, IncrementalOrderAndReaddAfterSixteenPasses) {
  // Values whose incremental sum drifts from the exact window sum.
  const std::size_t n = 3;
  RunningSum rs(n);
  const double xs[] = {0.1, 1e16, 0.3, 0.7, 1.1, 2.3, 0.2};
  std::vector<double> all;
  double expected = 0.0;
  for (std::size_t i = 0; i < 16 * n; ++i) {
    const double x = xs[i % 7];
    if (i >= n) {
      const double o = all[all.size() - n];
      expected = x + (expected - o);
    } else {
      expected = x + expected;
    }
    all.push_back(x);
    rs.push(x);
    if (i + 1 < 16 * n) {
      EXPECT_EQ(rs.sum(), expected) << "push " << i + 1;
    }
  }
  // At push 16 * n the sum equals the left-to-right sum of the window.
  double exact = 0.0;
  for (std::size_t i = all.size() - n; i < all.size(); ++i) exact = exact + all[i];
  EXPECT_EQ(rs.sum(), exact);
  EXPECT_NE(expected, exact);  // the drift the re-add removes
}

TEST(RunningSum, CustomReaddIntervalCountsFromConstruction) {
  RunningSum rs(2, 2);
  rs.push(1e16);
  rs.push(1.0);   // push 2: re-added, 1e16 + 1
  rs.push(1.0);   // drops 1e16: 1 + (1e16+1 - 1e16)
  EXPECT_EQ(rs.sum(), 1.0 + ((1e16 + 1.0) - 1e16));
  rs.push(3.0);   // push 4: re-added from the window (1, 3)
  EXPECT_EQ(rs.sum(), 4.0);
  EXPECT_EQ(rs.mean(), 2.0);
}

TEST(ExpStage, SeedsWithMeanThenFusedStep) {
  ExpStage e(3);
  EXPECT_FALSE(e.update(1).has_value());
  EXPECT_FALSE(e.update(2).has_value());
  EXPECT_EQ(e.update(3), 2.0);
  EXPECT_EQ(e.update(4), std::fma(0.5, 4.0, 0.5 * 2.0));
  EXPECT_EQ(e.value(), 3.0);
  // The product beta * value is rounded before the fused add.
  ExpStage f(1, 0.1);
  EXPECT_EQ(f.update(0.7), 0.7);
  EXPECT_EQ(f.update(0.3), std::fma(0.1, 0.3, (1.0 - 0.1) * 0.7));
}

TEST(WilderSteps, DivideAndReciprocalForms) {
  WilderStage d(3);
  WilderReciprocalStage r(3);
  for (double x : {1.0, 2.0}) {
    EXPECT_FALSE(d.update(x).has_value());
    EXPECT_FALSE(r.update(x).has_value());
  }
  EXPECT_EQ(d.update(6), 3.0);
  EXPECT_EQ(r.update(6), 3.0);
  EXPECT_EQ(d.update(0.1), (0.1 + (3.0 + -1.0) * 3.0) / 3.0);
  EXPECT_EQ(r.update(0.1), std::fma(3.0, 2.0, 0.1) * (1.0 / 3.0));
}

TEST(ScanExtremes, IgnoreNaNAndHandleRecords) {
  Window<double> w(4);
  for (double x : {3.0, std::numeric_limits<double>::quiet_NaN(), -1.0, 7.0}) w.push(x);
  EXPECT_EQ(scan_max(w), 7.0);
  EXPECT_EQ(scan_min(w), -1.0);
  struct HL {
    double high, low;
  };
  Window<HL> c(2);
  c.push({5, 1});
  c.push({4, 2});
  c.push({6, 3});
  EXPECT_EQ(scan_max(c, [](const HL& x) { return x.high; }), 6.0);
  EXPECT_EQ(scan_min(c, [](const HL& x) { return x.low; }), 2.0);
}

TEST(MonotonicExtreme, MatchesScanAndKeepsMostRecentOnTies) {
  const double xs[] = {5, 3, 5, 1, 2, 2, 9, 0, 0, 4, 4, 4, 8, 1, 3, 3, 7, 2};
  for (std::uint64_t n : {1u, 2u, 3u, 5u, 20u}) {
    RollingMax mx(n);
    RollingMin mn(n);
    Window<double> w(n);
    std::uint64_t i = 0;
    for (double x : xs) {
      mx.push(x);
      mn.push(x);
      w.push(x);
      EXPECT_EQ(mx.value(), scan_max(w)) << "n=" << n << " i=" << i;
      EXPECT_EQ(mn.value(), scan_min(w)) << "n=" << n << " i=" << i;
      ++i;
    }
  }
  RollingMax ties(3);
  ties.push(5);
  ties.push(5);
  EXPECT_EQ(ties.index(), 1u);  // the most recent of equal values
  ties.push(4);
  ties.push(1);
  EXPECT_EQ(ties.index(), 1u);
  ties.push(0);  // index 1 expires
  EXPECT_EQ(ties.value(), 4.0);
  EXPECT_EQ(ties.index(), 2u);
}

TEST(SortedWindow, TotalOrderAndMedian) {
  SortedWindow s(4);
  s.push(0.0);
  s.push(-0.0);
  ASSERT_EQ(s.sorted().size(), 2u);
  EXPECT_TRUE(std::signbit(s.sorted()[0]));   // -0 sorts before +0
  EXPECT_FALSE(std::signbit(s.sorted()[1]));
  s.push(3);
  EXPECT_EQ(s.median(), 0.0);
  s.push(-2);
  EXPECT_EQ(s.median(), midpoint(-0.0, 0.0));
  s.push(10);  // drops the first +0 pushed
  EXPECT_EQ(s.sorted(), (std::vector<double>{-2, -0.0, 3, 10}));
  EXPECT_TRUE(std::signbit(s.sorted()[1]));
  EXPECT_EQ(s.median(), 1.5);
  s.push(1);   // drops -0
  EXPECT_EQ(s.sorted(), (std::vector<double>{-2, 1, 3, 10}));
  EXPECT_EQ(s.median(), 2.0);
}

TEST(Midpoint, PlainAndHugeMagnitudes) {
  EXPECT_EQ(midpoint(1, 2), 1.5);
  const double big = std::numeric_limits<double>::max();
  EXPECT_EQ(midpoint(big, big), big);  // (a + b) would overflow
  EXPECT_EQ(midpoint(big, -big), 0.0);
  EXPECT_EQ(midpoint(8.988465674311579e307, 8.988465674311579e307), 8.988465674311579e307);
}

TEST(Counts, SaturateInsteadOfWrapping) {
  EXPECT_EQ(sat_add(UINT64_MAX, 1), UINT64_MAX);
  EXPECT_EQ(sat_add(2, 3), 5u);
  EXPECT_EQ(sat_sub(2, 3), 0u);
  EXPECT_EQ(sat_mul(UINT64_MAX / 2, 3), UINT64_MAX);
  EXPECT_EQ(sat_mul(16, MAX_PERIOD), 268435456u);
}

}  // namespace
}  // namespace sorvik

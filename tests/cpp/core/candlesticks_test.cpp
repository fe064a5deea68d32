// Candlestick pattern detectors and the single-candle shape measures.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/support.hpp"
#include "indicators/candlesticks/body_size_pct.hpp"
#include "indicators/candlesticks/close_vs_open.hpp"
#include "indicators/candlesticks/engulfing.hpp"
#include "indicators/candlesticks/long_line.hpp"
#include "indicators/candlesticks/wick_ratio.hpp"
#include "sorvik/factory.hpp"

namespace sorvik {
namespace {

using namespace sorvik::test;

/// "No answer" in an expected-values row.
constexpr double __ = NaN;

Candle C(double o, double h, double l, double c) { return Candle{0, o, h, l, c, 1.0}; }

std::string show(std::optional<double> v) { return v ? std::to_string(*v) : std::string("none"); }

/// Feeds `candles` and compares every bar's answer with `expected` (NaN: no answer).
void expect_answers(const std::string& name, const std::vector<Candle>& candles, const std::vector<double>& expected,
                    const std::string& label) {
  ASSERT_EQ(candles.size(), expected.size()) << label;
  auto ind = make(name);
  ASSERT_TRUE(ind) << label;
  for (std::size_t i = 0; i < candles.size(); ++i) {
    const std::optional<double> got = ind->update(bar(candles[i]));
    if (std::isnan(expected[i])) {
      EXPECT_FALSE(got.has_value()) << label << ", bar " << i + 1 << ": got " << show(got);
    } else {
      EXPECT_EQ(got, std::optional<double>(expected[i])) << label << ", bar " << i + 1 << ": got " << show(got);
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// The family: names, candle counts, warm-ups and the signals each may answer

enum class Signs { Bullish, Bearish, Both, Ratio };

struct Member {
  const char* name;
  std::uint64_t warmup;      // warmup_period()
  std::uint64_t first;       // the bar of the first answer
  Signs signs;
};

const std::vector<Member>& members() {
  static const std::vector<Member> m = {
      {"Doji", 1, 1, Signs::Bullish},
      {"DragonflyDoji", 1, 1, Signs::Bullish},
      {"GravestoneDoji", 1, 1, Signs::Bearish},
      {"LongLeggedDoji", 1, 1, Signs::Bullish},
      {"RickshawMan", 1, 1, Signs::Bullish},
      {"Takuri", 1, 1, Signs::Bullish},
      {"HighWave", 1, 1, Signs::Bullish},
      {"Hammer", 1, 1, Signs::Bullish},
      {"HangingMan", 1, 1, Signs::Bearish},
      {"InvertedHammer", 1, 1, Signs::Bullish},
      {"ShootingStar", 1, 1, Signs::Bearish},
      {"SpinningTop", 1, 1, Signs::Both},
      {"Marubozu", 1, 1, Signs::Both},
      {"BeltHold", 1, 1, Signs::Both},
      {"OpeningMarubozu", 1, 1, Signs::Both},
      {"ClosingMarubozu", 1, 1, Signs::Both},
      {"LongLine", 5, 6, Signs::Both},
      {"ShortLine", 5, 6, Signs::Both},
      {"BodySizePct", 1, 1, Signs::Ratio},
      {"WickRatio", 1, 1, Signs::Ratio},
      {"CloseVsOpen", 1, 1, Signs::Ratio},
      {"Engulfing", 2, 2, Signs::Both},
      {"Harami", 2, 2, Signs::Both},
      {"HaramiCross", 2, 2, Signs::Both},
      {"DojiStar", 2, 2, Signs::Both},
      {"Counterattack", 2, 2, Signs::Both},
      {"PiercingDarkCloud", 2, 2, Signs::Both},
      {"Kicking", 2, 2, Signs::Both},
      {"KickingByLength", 2, 2, Signs::Both},
      {"HomingPigeon", 2, 2, Signs::Bullish},
      {"MatchingLow", 2, 2, Signs::Bullish},
      {"InNeck", 2, 2, Signs::Bearish},
      {"OnNeck", 2, 2, Signs::Bearish},
      {"Thrusting", 2, 2, Signs::Bearish},
      {"SeparatingLines", 2, 2, Signs::Both},
      {"Tweezer", 2, 2, Signs::Both},
      {"MorningEveningStar", 3, 3, Signs::Both},
      {"MorningDojiStar", 3, 3, Signs::Bullish},
      {"EveningDojiStar", 3, 3, Signs::Bearish},
      {"AbandonedBaby", 3, 3, Signs::Both},
      {"Tristar", 3, 3, Signs::Both},
      {"ThreeInside", 3, 3, Signs::Both},
      {"ThreeOutside", 3, 3, Signs::Both},
      {"ThreeSoldiersOrCrows", 3, 3, Signs::Both},
      {"IdenticalThreeCrows", 3, 3, Signs::Bearish},
      {"AdvanceBlock", 3, 3, Signs::Bearish},
      {"StalledPattern", 3, 3, Signs::Bearish},
      {"TwoCrows", 3, 3, Signs::Bearish},
      {"UpsideGapTwoCrows", 3, 3, Signs::Bearish},
      {"UpsideGapThreeMethods", 3, 3, Signs::Bullish},
      {"DownsideGapThreeMethods", 3, 3, Signs::Bearish},
      {"TasukiGap", 3, 3, Signs::Both},
      {"GapSideBySideWhite", 3, 3, Signs::Both},
      {"StickSandwich", 3, 3, Signs::Bullish},
      {"UniqueThreeRiver", 3, 3, Signs::Bullish},
      {"ThreeStarsInSouth", 3, 3, Signs::Bullish},
      {"Hikkake", 3, 3, Signs::Both},
      {"HikkakeModified", 4, 4, Signs::Both},
      {"ConcealingBabySwallow", 4, 4, Signs::Bullish},
      {"ThreeLineStrike", 4, 4, Signs::Both},
      {"Breakaway", 5, 5, Signs::Both},
      {"LadderBottom", 5, 5, Signs::Bullish},
      {"FallingThreeMethods", 5, 5, Signs::Bearish},
      {"RisingThreeMethods", 5, 5, Signs::Bullish},
      {"MatHold", 5, 5, Signs::Bullish},
  };
  return m;
}

/// A deterministic walk of valid candles with varied bodies and shadows.
std::vector<Candle> walk(std::size_t n) {
  std::vector<Candle> out;
  std::uint64_t s = 0x2545F4914F6CDD1Dull;
  auto next = [&s] {
    s ^= s >> 12;
    s ^= s << 25;
    s ^= s >> 27;
    return static_cast<double>((s * 0x2545F4914F6CDD1Dull) >> 11) * 0x1.0p-53;
  };
  double price = 100.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double open = price + (next() - 0.5) * 2.0;
    const double close = next() < 0.1 ? open : open + (next() - 0.5) * 4.0;
    const double high = std::max(open, close) + (next() < 0.2 ? 0.0 : next() * 2.0);
    const double low = std::min(open, close) - (next() < 0.2 ? 0.0 : next() * 2.0);
    out.push_back(C(open, high, low, close));
    price = close;
  }
  return out;
}

TEST(Candlesticks, EveryMemberBuildsWithoutParametersAndIgnoresSurplusOnes) {
  EXPECT_EQ(members().size(), 65u);
  for (const auto& m : members()) {
    EXPECT_TRUE(create_indicator(m.name, std::vector<double>{}).has_value()) << m.name;
    EXPECT_TRUE(create_indicator(m.name, std::vector<double>{3, 0.5}).has_value()) << m.name;
    EXPECT_EQ(feed_kind_of(m.name), FeedKind::Kline) << m.name;
  }
}

TEST(Candlesticks, FirstAnswerAtTheWarmupThenOnEveryBar) {
  const auto candles = walk(12);
  for (const auto& m : members()) {
    auto ind = make(m.name);
    ASSERT_TRUE(ind) << m.name;
    EXPECT_EQ(ind->warmup_period(), m.warmup) << m.name;
    for (std::size_t i = 0; i < candles.size(); ++i) {
      const bool yields = ind->update(bar(candles[i])).has_value();
      EXPECT_EQ(yields, i + 1 >= m.first) << m.name << ", bar " << i + 1;
    }
    EXPECT_TRUE(ind->extra_outputs().empty()) << m.name;
  }
}

TEST(Candlesticks, DetectorsAnswerOnlyTheirOwnSignals) {
  const auto candles = walk(5000);
  for (const auto& m : members()) {
    if (m.signs == Signs::Ratio) continue;
    std::set<double> allowed{0.0};
    if (m.signs != Signs::Bearish) allowed.insert(1.0);
    if (m.signs != Signs::Bullish) allowed.insert(-1.0);
    auto ind = make(m.name);
    ASSERT_TRUE(ind);
    for (const auto& c : candles) {
      const auto v = ind->update(bar(c));
      if (v) {
        ASSERT_TRUE(allowed.count(*v)) << m.name << " answered " << *v;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Each pattern on a minimal sequence, and a near miss

struct Case {
  const char* label;
  const char* name;
  std::vector<Candle> candles;
  std::vector<double> expected;  // per bar; __ = no answer
};

// Recurring candles.
const Candle kLongBlack = C(12, 12.2, 9.8, 10);   // body 2 of range 2.4, midpoint 11
const Candle kLongWhite = C(10, 12.2, 9.8, 12);   // the mirror image
const Candle kBlackMaru = C(12, 12, 10, 10);      // no shadows
const Candle kWhiteMaru = C(10, 12, 10, 12);
const Candle kSoldier1 = C(10, 11.1, 9.9, 11);
const Candle kSoldier2 = C(10.5, 12.1, 10.4, 12);
const Candle kSoldier3 = C(11.5, 13.1, 11.4, 13);
const Candle kCrow1 = C(13, 13.1, 11.9, 12);
const Candle kCrow2 = C(12.5, 12.6, 10.9, 11);
const Candle kCrow3 = C(11.5, 11.6, 9.9, 10);
const Candle kRange2 = C(10, 11, 9, 10.5);        // five of these set a mean range of 2

const std::vector<Case>& cases() {
  static const std::vector<Case> c = {
      // Single candles.
      {"doji", "Doji", {C(10, 11, 9, 10.1)}, {1}},
      {"doji, body exactly a tenth of the range", "Doji", {C(15, 20, 10, 16)}, {1}},
      {"doji, body above a tenth", "Doji", {C(10, 11, 9, 10.3)}, {0}},
      {"dragonfly", "DragonflyDoji", {C(10, 10, 8, 10)}, {1}},
      {"dragonfly, upper shadow too long", "DragonflyDoji", {C(10, 10.5, 8, 10)}, {0}},
      {"gravestone", "GravestoneDoji", {C(8, 10, 8, 8)}, {-1}},
      {"gravestone, lower shadow too long", "GravestoneDoji", {C(8, 10, 7.5, 8)}, {0}},
      {"long-legged", "LongLeggedDoji", {C(10, 11, 9, 10)}, {1}},
      {"long-legged, upper shadow short", "LongLeggedDoji", {C(10.5, 11, 9, 10.5)}, {0}},
      {"long-legged, body off centre", "LongLeggedDoji", {C(6.5, 10, 0, 6.5)}, {1}},
      {"rickshaw man", "RickshawMan", {C(10, 11, 9, 10)}, {1}},
      {"rickshaw man, body off centre", "RickshawMan", {C(6.5, 10, 0, 6.5)}, {0}},
      {"takuri", "Takuri", {C(9.9, 10, 0, 10)}, {1}},
      {"takuri, upper shadow above 5 %", "Takuri", {C(9.4, 10, 0, 9.4)}, {0}},
      {"high wave", "HighWave", {C(10.1, 12, 8, 9.9)}, {1}},
      {"high wave, upper shadow short", "HighWave", {C(10, 12, 8, 11)}, {0}},
      {"hammer", "Hammer", {C(10, 10.6, 7, 10.5)}, {1}},
      {"hammer, upper shadow longer than the body", "Hammer", {C(10, 11.2, 7, 10.5)}, {0}},
      {"hammer, no body", "Hammer", {C(10, 10.2, 7, 10)}, {0}},
      {"hanging man, the hammer's candle", "HangingMan", {C(10, 10.6, 7, 10.5)}, {-1}},
      {"hanging man, upper shadow too long", "HangingMan", {C(10, 11.2, 7, 10.5)}, {0}},
      {"inverted hammer", "InvertedHammer", {C(10, 13, 9.9, 10.5)}, {1}},
      {"inverted hammer, lower shadow too long", "InvertedHammer", {C(10, 13, 9.3, 10.5)}, {0}},
      {"shooting star, the inverted hammer's candle", "ShootingStar", {C(10, 13, 9.9, 10.5)}, {-1}},
      {"shooting star, lower shadow too long", "ShootingStar", {C(10, 13, 9.3, 10.5)}, {0}},
      {"spinning top, white", "SpinningTop", {C(10, 12, 8, 10.5)}, {1}},
      {"spinning top, black", "SpinningTop", {C(10.5, 12, 8, 10)}, {-1}},
      {"spinning top, upper shadow short", "SpinningTop", {C(10, 12, 8, 11)}, {0}},
      {"marubozu, white", "Marubozu", {C(10, 12.05, 9.95, 12)}, {1}},
      {"marubozu, black", "Marubozu", {kBlackMaru}, {-1}},
      {"marubozu, upper shadow", "Marubozu", {C(10, 12.5, 10, 12)}, {0}},
      {"belt hold, white", "BeltHold", {C(10, 13, 10, 12)}, {1}},
      {"belt hold, black", "BeltHold", {C(13, 13, 10, 11)}, {-1}},
      {"belt hold, opens above the low", "BeltHold", {C(10, 13, 9.5, 12)}, {0}},
      {"opening marubozu, white", "OpeningMarubozu", {C(10, 13, 10, 12.5)}, {1}},
      {"opening marubozu, black", "OpeningMarubozu", {C(13, 13, 10, 10.5)}, {-1}},
      {"opening marubozu, body under 70 %", "OpeningMarubozu", {C(10, 13, 10, 12)}, {0}},
      {"closing marubozu, white", "ClosingMarubozu", {C(10.5, 13, 10, 13)}, {1}},
      {"closing marubozu, black", "ClosingMarubozu", {C(12.5, 13, 10, 10)}, {-1}},
      {"closing marubozu, closes below the high", "ClosingMarubozu", {C(10.5, 13, 10, 12.8)}, {0}},

      // Long and short lines against the mean range of the previous five candles.
      {"long line, white", "LongLine", {kRange2, kRange2, kRange2, kRange2, kRange2, C(10, 13, 10, 12.5)},
       {__, __, __, __, __, 1}},
      {"long line, black", "LongLine", {kRange2, kRange2, kRange2, kRange2, kRange2, C(12.5, 13, 10, 10)},
       {__, __, __, __, __, -1}},
      {"long line, body under half", "LongLine", {kRange2, kRange2, kRange2, kRange2, kRange2, C(10, 13, 10, 11)},
       {__, __, __, __, __, 0}},
      // Bar 7: mean of 2, 2, 2, 2, 3 = 2.2 (bar 6 in, bar 1 out); a range of 2.1 is below it.
      {"long line, the mean rolls", "LongLine",
       {kRange2, kRange2, kRange2, kRange2, kRange2, C(10, 13, 10, 12.5), C(10, 12.1, 10, 12.1)},
       {__, __, __, __, __, 1, 0}},
      {"short line", "ShortLine", {kRange2, kRange2, kRange2, kRange2, kRange2, C(10, 11, 10, 11)},
       {__, __, __, __, __, 1}},
      {"short line, body under half", "ShortLine", {kRange2, kRange2, kRange2, kRange2, kRange2, C(10, 11, 10, 10.4)},
       {__, __, __, __, __, 0}},
      {"short line, the mean rolls", "ShortLine",
       {kRange2, kRange2, kRange2, kRange2, kRange2, C(10, 13, 10, 12.5), C(12.1, 12.1, 10, 10)},
       {__, __, __, __, __, 0, -1}},
      {"short line, flat candle", "ShortLine", {kRange2, kRange2, kRange2, kRange2, kRange2, C(10, 10, 10, 10)},
       {__, __, __, __, __, 0}},

      // Two candles.
      {"engulfing, bullish", "Engulfing", {C(11, 11.5, 9.5, 10), C(9.8, 11.5, 9.5, 11.2)}, {__, 1}},
      {"engulfing, bearish", "Engulfing", {C(10, 11.5, 9.5, 11), C(11.2, 11.5, 9.5, 9.8)}, {__, -1}},
      {"engulfing, equal bodies", "Engulfing", {C(11, 11.5, 9.5, 10), C(10, 11.5, 9.5, 11)}, {__, 0}},
      {"harami, bullish", "Harami", {C(12, 12.5, 9.5, 10), C(10.5, 11.2, 10.2, 11)}, {__, 1}},
      {"harami, bearish", "Harami", {C(10, 12.5, 9.5, 12), C(11.5, 11.8, 10.2, 10.5)}, {__, -1}},
      {"harami, closes above the first open", "Harami", {C(12, 12.5, 9.5, 10), C(10.5, 12.5, 10.2, 12.2)}, {__, 0}},
      {"harami cross, bullish", "HaramiCross", {C(12, 12.5, 9.5, 10), C(11, 11.5, 10.5, 11)}, {__, 1}},
      {"harami cross, bearish", "HaramiCross", {C(10, 12.5, 9.5, 12), C(11, 11.5, 10.5, 11)}, {__, -1}},
      {"harami cross, on the body's edge", "HaramiCross", {C(12, 12.5, 9.5, 10), C(12, 12.5, 11.5, 12)}, {__, 1}},
      {"harami cross, doji above the body", "HaramiCross", {C(12, 12.5, 9.5, 10), C(12.2, 12.5, 11.8, 12.2)},
       {__, 0}},
      {"harami cross, first candle a doji", "HaramiCross", {C(11, 12.5, 9.5, 11.1), C(11.05, 11.5, 10.5, 11.05)},
       {__, 0}},
      {"doji star, bullish", "DojiStar", {C(12, 12.5, 9.5, 10), C(9.5, 9.8, 9.2, 9.5)}, {__, 1}},
      {"doji star, bearish", "DojiStar", {C(10, 12.5, 9.5, 12), C(12.5, 12.8, 12.2, 12.5)}, {__, -1}},
      {"doji star, first body short", "DojiStar", {C(11, 12.5, 9.5, 10), C(9.5, 9.8, 9.2, 9.5)}, {__, 0}},
      {"counterattack, bullish", "Counterattack", {C(12, 12.5, 9.5, 10), C(8, 10.1, 7.9, 10)}, {__, 1}},
      {"counterattack, bearish", "Counterattack", {C(10, 12.5, 9.5, 12), C(14, 14.1, 11.9, 12)}, {__, -1}},
      {"counterattack, closes apart", "Counterattack", {C(12, 12.5, 9.5, 10), C(8, 10.5, 7.9, 10.5)}, {__, 0}},
      {"piercing line", "PiercingDarkCloud", {kLongBlack, C(9.5, 11.8, 9.4, 11.5)}, {__, 1}},
      {"dark cloud cover", "PiercingDarkCloud", {kLongWhite, C(12.5, 12.6, 10.2, 10.5)}, {__, -1}},
      {"piercing, closes below the middle", "PiercingDarkCloud", {kLongBlack, C(9.5, 10.8, 9.4, 10.8)}, {__, 0}},
      {"kicking, bullish", "Kicking", {kBlackMaru, C(12.5, 14.5, 12.5, 14.5)}, {__, 1}},
      {"kicking, bearish", "Kicking", {kWhiteMaru, C(9.5, 9.5, 7.5, 7.5)}, {__, -1}},
      {"kicking, no gap", "Kicking", {kBlackMaru, C(11.5, 13.5, 11.5, 13.5)}, {__, 0}},
      {"kicking by length, white longer", "KickingByLength", {kBlackMaru, C(12.5, 15.5, 12.5, 15.5)}, {__, 1}},
      {"kicking by length, equal bodies", "KickingByLength", {kBlackMaru, C(12.5, 14.5, 12.5, 14.5)}, {__, -1}},
      {"kicking by length, white first and longer", "KickingByLength", {kWhiteMaru, C(9.5, 9.5, 8.5, 8.5)}, {__, 1}},
      {"kicking by length, black second and longer", "KickingByLength", {kWhiteMaru, C(9.5, 9.5, 6.5, 6.5)},
       {__, -1}},
      {"kicking by length, no gap", "KickingByLength", {kBlackMaru, C(11.5, 14.5, 11.5, 14.5)}, {__, 0}},
      {"homing pigeon", "HomingPigeon", {C(12, 12.5, 9.5, 10), C(11.5, 11.8, 10.2, 10.5)}, {__, 1}},
      {"homing pigeon, second white", "HomingPigeon", {C(12, 12.5, 9.5, 10), C(10.5, 11.8, 10.2, 11.5)}, {__, 0}},
      {"matching low", "MatchingLow", {C(12, 12.5, 9.5, 10), C(11, 11.2, 9.8, 10.05)}, {__, 1}},
      {"matching low, closes apart", "MatchingLow", {C(12, 12.5, 9.5, 10), C(11, 11.2, 9.8, 10.2)}, {__, 0}},
      {"in neck", "InNeck", {kLongBlack, C(9.5, 10.3, 9.4, 10.1)}, {__, -1}},
      {"in neck, closes too high", "InNeck", {kLongBlack, C(9.5, 10.4, 9.4, 10.3)}, {__, 0}},
      {"on neck", "OnNeck", {kLongBlack, C(9.5, 9.85, 9.4, 9.8)}, {__, -1}},
      {"on neck, closes above the low", "OnNeck", {kLongBlack, C(9.5, 10, 9.4, 9.95)}, {__, 0}},
      {"thrusting", "Thrusting", {kLongBlack, C(9.5, 10.4, 9.4, 10.3)}, {__, -1}},
      {"thrusting, closes in the neck", "Thrusting", {kLongBlack, C(9.5, 10.3, 9.4, 10.1)}, {__, 0}},
      {"thrusting, closes above the middle", "Thrusting", {kLongBlack, C(9.5, 11.3, 9.4, 11.2)}, {__, 0}},
      {"separating lines, bullish", "SeparatingLines", {kLongBlack, C(12.05, 14.1, 12, 14)}, {__, 1}},
      {"separating lines, bearish", "SeparatingLines", {kLongWhite, C(10.05, 10.1, 8, 8.1)}, {__, -1}},
      {"separating lines, opens apart", "SeparatingLines", {kLongBlack, C(12.3, 14.1, 12.2, 14)}, {__, 0}},
      {"tweezer bottom", "Tweezer", {C(10, 11, 9, 10.5), C(10.5, 12, 9.005, 11)}, {__, 1}},
      {"tweezer top", "Tweezer", {C(10, 11, 9, 10.5), C(10.5, 11.005, 9.5, 10)}, {__, -1}},
      {"tweezer, lows and highs match", "Tweezer", {C(10, 11, 9, 10.5), C(10.5, 11, 9, 10)}, {__, 1}},
      {"tweezer, nothing matches", "Tweezer", {C(10, 11, 9, 10.5), C(10.5, 11.5, 9.5, 11)}, {__, 0}},

      // Three candles.
      {"morning star", "MorningEveningStar", {kLongBlack, C(9.5, 9.8, 9.2, 9.6), C(10, 11.5, 9.9, 11.2)}, {__, __, 1}},
      {"evening star", "MorningEveningStar", {kLongWhite, C(12.5, 12.8, 12.2, 12.4), C(12, 12.1, 10.4, 10.8)},
       {__, __, -1}},
      {"morning star, weak third", "MorningEveningStar", {kLongBlack, C(9.5, 9.8, 9.2, 9.6), C(10, 10.6, 9.9, 10.5)},
       {__, __, 0}},
      {"morning star, star not a doji", "MorningEveningStar",
       {kLongBlack, C(9.3, 9.8, 9.2, 9.6), C(9.7, 11.5, 9.6, 11.2)}, {__, __, 1}},
      {"morning doji star", "MorningDojiStar", {kLongBlack, C(9.5, 9.8, 9.2, 9.5), C(9.7, 11.5, 9.6, 11.2)},
       {__, __, 1}},
      {"morning doji star, star not a doji", "MorningDojiStar",
       {kLongBlack, C(9.3, 9.8, 9.2, 9.6), C(9.7, 11.5, 9.6, 11.2)}, {__, __, 0}},
      {"evening doji star", "EveningDojiStar", {kLongWhite, C(12.5, 12.8, 12.2, 12.5), C(12.3, 12.4, 10.4, 10.8)},
       {__, __, -1}},
      {"evening doji star, no gap below the doji", "EveningDojiStar",
       {kLongWhite, C(12.5, 12.8, 12.2, 12.5), C(12.6, 12.7, 10.4, 10.8)}, {__, __, 0}},
      {"abandoned baby, bullish", "AbandonedBaby", {kLongBlack, C(9.5, 9.6, 9.4, 9.505), C(10, 11.5, 9.9, 11.2)},
       {__, __, 1}},
      {"abandoned baby, bearish", "AbandonedBaby", {kLongWhite, C(12.5, 12.6, 12.4, 12.5), C(12, 12.1, 10.4, 10.8)},
       {__, __, -1}},
      {"abandoned baby, third overlaps the star", "AbandonedBaby",
       {kLongBlack, C(9.5, 9.6, 9.4, 9.505), C(9.7, 11.5, 9.55, 11.2)}, {__, __, 0}},
      {"tristar top", "Tristar", {C(10, 10.5, 9.5, 10), C(11, 11.5, 10.5, 11), C(10.2, 10.7, 9.7, 10.2)},
       {__, __, -1}},
      {"tristar bottom", "Tristar", {C(10, 10.5, 9.5, 10), C(9, 9.5, 8.5, 9), C(9.8, 10.3, 9.3, 9.8)}, {__, __, 1}},
      {"tristar, third not a doji", "Tristar", {C(10, 10.5, 9.5, 10), C(11, 11.5, 10.5, 11), C(10.2, 10.7, 9.7, 10.6)},
       {__, __, 0}},
      {"three inside up", "ThreeInside", {C(12, 12.5, 9.5, 10), C(10.5, 11.2, 10.2, 11), C(11, 12.8, 10.9, 12.5)},
       {__, __, 1}},
      {"three inside down", "ThreeInside", {C(10, 12.5, 9.5, 12), C(11.5, 11.8, 10.2, 10.5), C(10.5, 10.6, 9.2, 9.5)},
       {__, __, -1}},
      {"three inside, no close above the first open", "ThreeInside",
       {C(12, 12.5, 9.5, 10), C(10.5, 11.2, 10.2, 11), C(11, 12.1, 10.9, 11.8)}, {__, __, 0}},
      {"three outside up", "ThreeOutside", {C(11, 11.5, 9.5, 10), C(9.8, 11.5, 9.5, 11.2), C(11.2, 12, 11.1, 11.8)},
       {__, __, 1}},
      {"three outside down", "ThreeOutside", {C(10, 11.5, 9.5, 11), C(11.2, 11.5, 9.5, 9.8), C(9.8, 9.9, 9, 9.2)},
       {__, __, -1}},
      {"three outside, third black", "ThreeOutside",
       {C(11, 11.5, 9.5, 10), C(9.8, 11.5, 9.5, 11.2), C(11.2, 11.5, 10.8, 11)}, {__, __, 0}},
      {"three white soldiers", "ThreeSoldiersOrCrows", {kSoldier1, kSoldier2, kSoldier3}, {__, __, 1}},
      {"three black crows", "ThreeSoldiersOrCrows", {kCrow1, kCrow2, kCrow3}, {__, __, -1}},
      {"soldiers, third opens above the body", "ThreeSoldiersOrCrows", {kSoldier1, kSoldier2, C(12.2, 13.1, 12.1, 13)},
       {__, __, 0}},
      {"identical three crows", "IdenticalThreeCrows",
       {C(13, 13.1, 11.9, 12), C(12, 12.1, 10.9, 11), C(11, 11.1, 9.9, 10)}, {__, __, -1}},
      {"identical crows, second opens above the close", "IdenticalThreeCrows",
       {C(13, 13.1, 11.9, 12), C(12.5, 12.6, 10.9, 11), C(11, 11.1, 9.9, 10)}, {__, __, 0}},
      {"advance block", "AdvanceBlock", {kSoldier1, C(10.5, 11.9, 10.4, 11.4), C(11, 12.5, 10.9, 11.8)}, {__, __, -1}},
      {"advance block, upper shadow shrinks", "AdvanceBlock",
       {kSoldier1, C(10.5, 11.9, 10.4, 11.4), C(11, 12.1, 10.9, 11.8)}, {__, __, 0}},
      {"stalled pattern", "StalledPattern", {kSoldier1, C(10.8, 12.1, 10.7, 12), C(12, 12.4, 11.9, 12.1)},
       {__, __, -1}},
      {"stalled pattern, third opens low", "StalledPattern",
       {kSoldier1, C(10.8, 12.1, 10.7, 12), C(11.8, 12.6, 11.75, 12.05)}, {__, __, 0}},
      {"two crows", "TwoCrows", {C(10, 12.1, 9.9, 12), C(12.8, 13, 12.3, 12.4), C(12.6, 12.7, 10.8, 11)}, {__, __, -1}},
      {"two crows, closes below the first open", "TwoCrows",
       {C(10, 12.1, 9.9, 12), C(12.8, 13, 12.3, 12.4), C(12.6, 12.7, 9.5, 9.8)}, {__, __, 0}},
      {"upside gap two crows", "UpsideGapTwoCrows",
       {C(10, 12.1, 9.9, 12), C(12.8, 13, 12.3, 12.4), C(12.9, 13, 12.1, 12.2)}, {__, __, -1}},
      {"upside gap two crows, gap closed", "UpsideGapTwoCrows",
       {C(10, 12.1, 9.9, 12), C(12.8, 13, 12.3, 12.4), C(12.9, 13, 11.7, 11.8)}, {__, __, 0}},
      {"upside gap three methods", "UpsideGapThreeMethods",
       {C(10, 12.1, 9.9, 12), C(12.5, 14.1, 12.4, 14), C(13, 13.1, 10.9, 11)}, {__, __, 1}},
      {"upside gap three methods, gap left open", "UpsideGapThreeMethods",
       {C(10, 12.1, 9.9, 12), C(12.5, 14.1, 12.4, 14), C(13, 13.1, 12.1, 12.2)}, {__, __, 0}},
      {"downside gap three methods", "DownsideGapThreeMethods",
       {C(14, 14.1, 11.9, 12), C(11.5, 11.6, 9.9, 10), C(11, 13.1, 10.9, 13)}, {__, __, -1}},
      {"downside gap three methods, gap left open", "DownsideGapThreeMethods",
       {C(14, 14.1, 11.9, 12), C(11.5, 11.6, 9.9, 10), C(11, 11.9, 10.9, 11.8)}, {__, __, 0}},
      {"upside tasuki gap", "TasukiGap", {C(10, 12.1, 9.9, 12), C(12.5, 14.1, 12.4, 14), C(13, 13.1, 12.1, 12.2)},
       {__, __, 1}},
      {"downside tasuki gap", "TasukiGap", {C(14, 14.1, 11.9, 12), C(11.5, 11.6, 9.9, 10), C(11, 11.9, 10.9, 11.8)},
       {__, __, -1}},
      {"tasuki gap, gap closed", "TasukiGap", {C(10, 12.1, 9.9, 12), C(12.5, 14.1, 12.4, 14), C(13, 13.1, 10.9, 11)},
       {__, __, 0}},
      {"side-by-side white, up gap", "GapSideBySideWhite",
       {kSoldier1, C(11.5, 12.6, 11.4, 12.5), C(11.55, 12.5, 11.5, 12.4)}, {__, __, 1}},
      {"side-by-side white, down gap", "GapSideBySideWhite",
       {C(14, 14.1, 12.9, 13), C(11.5, 12.6, 11.4, 12.5), C(11.55, 12.5, 11.5, 12.4)}, {__, __, -1}},
      {"side-by-side white, third body too small", "GapSideBySideWhite",
       {kSoldier1, C(11.5, 12.6, 11.4, 12.5), C(11.55, 12, 11.5, 11.95)}, {__, __, 0}},
      {"stick sandwich", "StickSandwich", {kLongBlack, C(10.5, 11.6, 10.2, 11.5), C(12, 12.1, 9.9, 10.1)},
       {__, __, 1}},
      {"stick sandwich, closes apart", "StickSandwich",
       {kLongBlack, C(10.5, 11.6, 10.2, 11.5), C(12, 12.1, 10.3, 10.4)}, {__, __, 0}},
      {"unique three river", "UniqueThreeRiver", {kLongBlack, C(11.5, 11.6, 9.5, 10.5), C(10, 10.5, 9.8, 10.1)},
       {__, __, 1}},
      {"unique three river, third above the second close", "UniqueThreeRiver",
       {kLongBlack, C(11.5, 11.6, 9.5, 10.5), C(10, 10.6, 9.8, 10.1)}, {__, __, 0}},
      {"three stars in the south", "ThreeStarsInSouth",
       {C(12, 12.1, 8, 10), C(11, 11.2, 9, 10.2), C(10.5, 10.5, 10.3, 10.3)}, {__, __, 1}},
      {"three stars, third has a lower shadow", "ThreeStarsInSouth",
       {C(12, 12.1, 8, 10), C(11, 11.2, 9, 10.2), C(10.5, 10.5, 10.2, 10.3)}, {__, __, 0}},
      {"hikkake, bullish", "Hikkake", {C(10, 12, 8, 11), C(10.5, 11.5, 9, 11), C(10, 11, 8.5, 9)}, {__, __, 1}},
      {"hikkake, bearish", "Hikkake", {C(10, 12, 8, 11), C(10.5, 11.5, 9, 11), C(11, 12, 9.5, 11.8)}, {__, __, -1}},
      {"hikkake, third engulfs the inside bar", "Hikkake",
       {C(10, 12, 8, 11), C(10.5, 11.5, 9, 11), C(10, 12, 8.5, 11)}, {__, __, 0}},
      {"hikkake, second not inside", "Hikkake", {C(10, 12, 8, 11), C(10.5, 12, 9, 11), C(10, 11, 8.5, 9)},
       {__, __, 0}},

      // Four and five candles.
      {"modified hikkake, bullish", "HikkakeModified",
       {C(10, 12, 8, 11), C(10.5, 11.5, 9, 9.2), C(10, 11, 9.5, 10.5), C(10, 10.8, 9.2, 9.5)}, {__, __, __, 1}},
      {"modified hikkake, bearish", "HikkakeModified",
       {C(10, 12, 8, 11), C(10.5, 11.5, 9, 11.3), C(10, 11, 9.5, 10.5), C(10.5, 11.2, 9.8, 11)}, {__, __, __, -1}},
      {"modified hikkake, second closes mid-range", "HikkakeModified",
       {C(10, 12, 8, 11), C(10.5, 11.5, 9, 10.2), C(10, 11, 9.5, 10.5), C(10, 10.8, 9.2, 9.5)}, {__, __, __, 0}},
      {"concealing baby swallow", "ConcealingBabySwallow",
       {C(14, 14, 12, 12), kBlackMaru, C(9.5, 10.5, 9, 9.2), C(10.8, 10.9, 8.5, 8.8)}, {__, __, __, 1}},
      {"concealing baby swallow, first has a shadow", "ConcealingBabySwallow",
       {C(14, 14.5, 12, 12), kBlackMaru, C(9.5, 10.5, 9, 9.2), C(10.8, 10.9, 8.5, 8.8)}, {__, __, __, 0}},
      {"three-line strike, bullish", "ThreeLineStrike", {kSoldier1, kSoldier2, kSoldier3, C(13.5, 13.6, 9.5, 9.8)},
       {__, __, __, 1}},
      {"three-line strike, bearish", "ThreeLineStrike", {kCrow1, kCrow2, kCrow3, C(9.5, 13.5, 9.4, 13.2)},
       {__, __, __, -1}},
      {"three-line strike, fourth falls short", "ThreeLineStrike",
       {kSoldier1, kSoldier2, kSoldier3, C(13.5, 13.6, 10.1, 10.2)}, {__, __, __, 0}},
      {"breakaway, bullish", "Breakaway",
       {C(14, 14.1, 12.9, 13), C(12.5, 12.6, 11.4, 11.5), C(11.4, 11.5, 10.4, 10.6), C(10.5, 10.6, 9.4, 9.6),
        C(9.7, 12.8, 9.6, 12.7)},
       {__, __, __, __, 1}},
      {"breakaway, bearish", "Breakaway",
       {kSoldier1, C(11.5, 12.6, 11.4, 12.5), C(12.5, 13.6, 12.4, 13.4), C(13.5, 14.6, 13.4, 14.5),
        C(14.4, 14.5, 11.1, 11.2)},
       {__, __, __, __, -1}},
      {"breakaway, closes above the first close", "Breakaway",
       {C(14, 14.1, 12.9, 13), C(12.5, 12.6, 11.4, 11.5), C(11.4, 11.5, 10.4, 10.6), C(10.5, 10.6, 9.4, 9.6),
        C(9.7, 13.5, 9.6, 13.2)},
       {__, __, __, __, 0}},
      {"ladder bottom", "LadderBottom",
       {C(14, 14.1, 12.9, 13), C(13.5, 13.6, 11.9, 12), C(12.5, 12.6, 10.9, 11), C(11, 11.8, 9.9, 10),
        C(11.2, 12.5, 11.1, 12.2)},
       {__, __, __, __, 1}},
      {"ladder bottom, fourth without upper shadow", "LadderBottom",
       {C(14, 14.1, 12.9, 13), C(13.5, 13.6, 11.9, 12), C(12.5, 12.6, 10.9, 11), C(11, 11, 9.9, 10),
        C(11.2, 12.5, 11.1, 12.2)},
       {__, __, __, __, 0}},
      {"falling three methods", "FallingThreeMethods",
       {C(14, 14.1, 9.9, 10), C(10.2, 11, 10.1, 10.8), C(10.6, 11.3, 10.5, 11.2), C(11, 11.7, 10.9, 11.6),
        C(11.5, 11.6, 9.4, 9.5)},
       {__, __, __, __, -1}},
      {"falling three methods, last closes above the first close", "FallingThreeMethods",
       {C(14, 14.1, 9.9, 10), C(10.2, 11, 10.1, 10.8), C(10.6, 11.3, 10.5, 11.2), C(11, 11.7, 10.9, 11.6),
        C(11.5, 11.6, 10.1, 10.2)},
       {__, __, __, __, 0}},
      {"rising three methods", "RisingThreeMethods",
       {C(10, 14.1, 9.9, 14), C(13.8, 13.9, 13, 13.2), C(13.4, 13.5, 12.7, 12.8), C(13, 13.1, 12.3, 12.4),
        C(12.5, 14.6, 12.4, 14.5)},
       {__, __, __, __, 1}},
      {"rising three methods, last closes below the first close", "RisingThreeMethods",
       {C(10, 14.1, 9.9, 14), C(13.8, 13.9, 13, 13.2), C(13.4, 13.5, 12.7, 12.8), C(13, 13.1, 12.3, 12.4),
        C(12.5, 13.9, 12.4, 13.8)},
       {__, __, __, __, 0}},
      {"mat hold", "MatHold",
       {C(10, 12.1, 9.9, 12), C(12.6, 12.8, 12.3, 12.4), C(12.4, 12.5, 11.9, 12), C(12, 12.2, 11.5, 11.6),
        C(11.7, 13.2, 11.6, 13.1)},
       {__, __, __, __, 1}},
      {"mat hold, a reaction low gives way", "MatHold",
       {C(10, 12.1, 9.9, 12), C(12.6, 12.8, 12.3, 12.4), C(12.4, 12.5, 11.9, 12), C(12, 12.2, 10.9, 11.6),
        C(11.7, 13.2, 11.6, 13.1)},
       {__, __, __, __, 0}},
  };
  return c;
}

TEST(Candlesticks, PatternsAndNearMisses) {
  for (const auto& c : cases()) expect_answers(c.name, c.candles, c.expected, c.label);
}

TEST(Candlesticks, EveryDetectorHasAHitAndAMiss) {
  std::set<std::string> hit;
  std::set<std::string> miss;
  for (const auto& c : cases()) (c.expected.back() == 0.0 ? miss : hit).insert(c.name);
  for (const auto& m : members()) {
    if (m.signs == Signs::Ratio) continue;
    EXPECT_TRUE(hit.count(m.name)) << m.name << " has no recognised case";
    EXPECT_TRUE(miss.count(m.name)) << m.name << " has no near miss";
  }
}

// ---------------------------------------------------------------------------------------------------
// Edge cases

TEST(Candlesticks, FlatCandleAnswersZeroInEverySingleCandleMember) {
  const Candle flat = C(10, 10, 10, 10);
  for (const auto& m : members()) {
    if (m.first != 1) continue;
    auto ind = make(m.name);
    ASSERT_TRUE(ind);
    EXPECT_EQ(ind->update(bar(flat)), std::optional<double>(0.0)) << m.name;
  }
}

TEST(Candlesticks, RejectedCandleIsSkipped) {
  const Candle invalid[] = {
      C(10, 9, 11, 10),                                  // high below low
      C(std::numeric_limits<double>::infinity(), 12, 8, 10),
      Candle{0, 10, 12, 8, 11, -1.0},                    // negative volume
  };
  for (const auto& bad : invalid) {
    // Between the two candles of an engulfing pattern: no answer, and the pattern still spans them.
    expect_answers("Engulfing", {C(11, 11.5, 9.5, 10), bad, C(9.8, 11.5, 9.5, 11.2)}, {__, __, 1},
                   "engulfing around a rejected candle");
    // During a three-candle warm-up it does not count.
    expect_answers("ThreeSoldiersOrCrows", {kSoldier1, bad, kSoldier2, bad, kSoldier3}, {__, __, __, __, 1},
                   "soldiers around rejected candles");
    // A stateless measure simply gives nothing for it.
    expect_answers("BodySizePct", {bad, C(10, 12, 8, 11)}, {__, 0.25}, "body size after a rejected candle");
  }
}

TEST(Candlesticks, ShapeMeasuresAreRatiosOfTheCandle) {
  struct Row {
    const char* name;
    Candle candle;
    double expected;
  };
  const Row rows[] = {
      {"BodySizePct", C(10, 12, 8, 11), 1.0 / 4.0},
      {"BodySizePct", C(11, 12, 8, 10), 1.0 / 4.0},
      {"BodySizePct", C(10.3, 10.7, 9.9, 10.1), std::fabs(10.1 - 10.3) / (10.7 - 9.9)},
      {"BodySizePct", C(10, 10, 10, 10), 0.0},
      {"WickRatio", C(10, 12, 8, 11), (1.0 - 2.0) / 4.0},
      {"WickRatio", C(10.3, 10.7, 9.9, 10.1), ((10.7 - 10.3) - (10.1 - 9.9)) / (10.7 - 9.9)},
      {"WickRatio", C(10, 10, 10, 10), 0.0},
      {"CloseVsOpen", C(10, 12, 8, 11), (11.0 - 10.0) / 10.0},
      {"CloseVsOpen", C(10.3, 10.7, 9.9, 10.1), (10.1 - 10.3) / 10.3},
      {"CloseVsOpen", C(0, 1, 0, 1), 0.0},
      {"CloseVsOpen", C(-0.0, 1, -1, 1), 0.0},
  };
  for (const auto& r : rows) {
    auto ind = make(r.name);
    ASSERT_TRUE(ind);
    EXPECT_EQ(ind->update(bar(r.candle)), std::optional<double>(r.expected))
        << r.name << " " << r.candle.open << " " << r.candle.high << " " << r.candle.low << " " << r.candle.close;
  }
}

TEST(Candlesticks, TypedClassesDirectly) {
  // The typed cores behind the factory: a detector shifts candles, a measure reads one.
  auto engulfing = Engulfing::create();
  ASSERT_TRUE(engulfing.has_value());
  EXPECT_EQ(engulfing->warmup_period(), 2u);
  EXPECT_EQ(engulfing->update(C(11, 11.5, 9.5, 10)), std::nullopt);
  EXPECT_EQ(engulfing->update(C(9.8, 11.5, 9.5, 11.2)), std::optional<double>(1.0));
  // Each candle pairs with the one before it: white then a longer black, black then a longer white.
  EXPECT_EQ(engulfing->update(C(11.4, 11.5, 9.5, 9.6)), std::optional<double>(-1.0));
  EXPECT_EQ(engulfing->update(C(9.5, 11.6, 9.4, 11.6)), std::optional<double>(1.0));

  auto long_line = LongLine::create();
  ASSERT_TRUE(long_line.has_value());
  EXPECT_EQ(long_line->warmup_period(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(long_line->update(kRange2), std::nullopt);
  EXPECT_EQ(long_line->update(C(10, 13, 10, 12.5)), std::optional<double>(1.0));

  EXPECT_EQ(BodySizePct::update(C(10, 12, 8, 11)), std::optional<double>(0.25));
  EXPECT_EQ(WickRatio::update(C(10, 12, 8, 11)), std::optional<double>(-0.25));
  EXPECT_EQ(CloseVsOpen::update(C(10, 12, 8, 11)), std::optional<double>(0.1));
}

}  // namespace
}  // namespace sorvik

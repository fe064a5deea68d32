#pragma once

// The sequential counting shared by the TD counts: the setup run counts (buy and sell) and the
// countdown engine behind TdSequential, TdCountdown and TdCombo. Private to the demark folder.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::td {

/// What a bar is to the setup: its close below the close `lookback` bars earlier (buy), above it
/// (sell), or equal to it.
enum class SetupBar : std::int8_t { Sell = -1, Equal = 0, Buy = 1 };

/// The two setup run counts. A buy-setup bar raises the buy count by one, up to `length`, and
/// clears the sell count; a sell-setup bar does the reverse; an equal close clears both. A count
/// stays at `length` while its run continues and never wraps.
class SetupRun {
 public:
  explicit SetupRun(std::uint64_t length) noexcept : length_(length) {}

  /// Counts the bar whose close is `close` against the close `earlier` of `lookback` bars before.
  SetupBar step(double close, double earlier) noexcept {
    if (close < earlier) {
      if (buy_ < length_) ++buy_;
      sell_ = 0;
      return SetupBar::Buy;
    }
    if (close > earlier) {
      if (sell_ < length_) ++sell_;
      buy_ = 0;
      return SetupBar::Sell;
    }
    buy_ = 0;
    sell_ = 0;
    return SetupBar::Equal;
  }

  [[nodiscard]] std::uint64_t buy() const noexcept { return buy_; }
  [[nodiscard]] std::uint64_t sell() const noexcept { return sell_; }
  [[nodiscard]] bool buy_complete() const noexcept { return buy_ == length_; }
  [[nodiscard]] bool sell_complete() const noexcept { return sell_ == length_; }
  /// +buy count when it is above 0, else -sell count when that is above 0, else 0.
  [[nodiscard]] double signed_count() const noexcept {
    if (buy_ > 0) return static_cast<double>(buy_);
    if (sell_ > 0) return -static_cast<double>(sell_);
    return 0.0;
  }

 private:
  std::uint64_t length_;
  std::uint64_t buy_ = 0;
  std::uint64_t sell_ = 0;
};

/// The prices of a stored candle that the counts read.
struct CountBar {
  double high;
  double low;
  double close;
};

/// How the countdown counts its bars.
enum class CountdownRule : std::uint8_t {
  /// C <= the low b bars back (sell: C >= the high b bars back); the bar that would complete the
  /// count also needs L <= the qualifier (sell: H >= it) when one is set; the close of the bar that
  /// brings the count to N - 5 becomes the qualifier.
  Qualified,
  /// C < C[1], C <= the low b bars back and L <= L[1] (sell: C > C[1], C >= the high b bars back
  /// and H >= H[1]); no qualifier.
  Combo,
};

/// Setup on the close a bars back, direction from the completed setups, countdown on the candle b
/// bars back. Until max(a, b) candles are stored it only stores them. Only a change of direction
/// clears both countdown counts and the qualifier; completing another setup in the same direction
/// changes nothing.
template <CountdownRule Rule>
class CountdownEngine {
 public:
  /// Precondition: all four lengths are positive.
  CountdownEngine(std::uint64_t setup_lookback, std::uint64_t setup_length, std::uint64_t countdown_lookback,
                  std::uint64_t countdown_length) noexcept
      : bars_(static_cast<std::size_t>(std::max(setup_lookback, countdown_lookback))),
        setup_lookback_(static_cast<std::size_t>(setup_lookback)),
        countdown_lookback_(static_cast<std::size_t>(countdown_lookback)),
        countdown_length_(countdown_length),
        setup_(setup_length) {}

  /// Feeds one candle; false while the first max(a, b) candles are being stored.
  bool update(const Candle& c) {
    const CountBar now{c.high, c.low, c.close};
    if (!bars_.full()) {
      bars_.push_discard(now);
      return false;
    }
    setup_.step(now.close, bars_.back(setup_lookback_ - 1).close);
    if (setup_.buy_complete()) {
      turn(Direction::Buy);
    } else if (setup_.sell_complete()) {
      turn(Direction::Sell);
    }
    const CountBar& back = bars_.back(countdown_lookback_ - 1);
    if (direction_ == Direction::Buy) {
      count_buy(now, back);
    } else if (direction_ == Direction::Sell) {
      count_sell(now, back);
    }
    bars_.push_discard(now);
    return true;
  }

  /// max(a, b) + 1, saturating.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(bars_.capacity(), 1); }

  /// +buy run count, -sell run count or 0.
  [[nodiscard]] double setup() const noexcept { return setup_.signed_count(); }
  /// +buy countdown in buy direction, -sell countdown in sell direction, 0 without direction.
  [[nodiscard]] double countdown() const noexcept {
    if (direction_ == Direction::Buy) return static_cast<double>(buy_count_);
    if (direction_ == Direction::Sell) return -static_cast<double>(sell_count_);
    return 0.0;
  }
  /// 1 buy, -1 sell, 0 none.
  [[nodiscard]] double direction() const noexcept { return static_cast<double>(direction_); }

 private:
  enum class Direction : std::int8_t { Sell = -1, None = 0, Buy = 1 };

  void turn(Direction d) noexcept {
    if (direction_ == d) return;
    direction_ = d;
    buy_count_ = 0;
    sell_count_ = 0;
    qualifier_ = std::numeric_limits<double>::quiet_NaN();
  }

  void count_buy(const CountBar& now, const CountBar& back) noexcept {
    if (buy_count_ >= countdown_length_) return;
    if constexpr (Rule == CountdownRule::Qualified) {
      if (!(now.close <= back.low)) return;
      const bool completes = buy_count_ + 1 == countdown_length_;
      if (completes && !std::isnan(qualifier_) && !(now.low <= qualifier_)) return;
      ++buy_count_;
      remember_qualifier(buy_count_, now.close);
    } else {
      const CountBar& prev = bars_.back(0);
      if (now.close < prev.close && now.close <= back.low && now.low <= prev.low) ++buy_count_;
    }
  }

  void count_sell(const CountBar& now, const CountBar& back) noexcept {
    if (sell_count_ >= countdown_length_) return;
    if constexpr (Rule == CountdownRule::Qualified) {
      if (!(now.close >= back.high)) return;
      const bool completes = sell_count_ + 1 == countdown_length_;
      if (completes && !std::isnan(qualifier_) && !(now.high >= qualifier_)) return;
      ++sell_count_;
      remember_qualifier(sell_count_, now.close);
    } else {
      const CountBar& prev = bars_.back(0);
      if (now.close > prev.close && now.close >= back.high && now.high >= prev.high) ++sell_count_;
    }
  }

  /// The close of the bar whose count is N - 5 becomes the qualifier (never for N <= 5).
  void remember_qualifier(std::uint64_t count, double close) noexcept {
    if (countdown_length_ > 5 && count == countdown_length_ - 5) qualifier_ = close;
  }

  Window<CountBar> bars_;
  std::size_t setup_lookback_;
  std::size_t countdown_lookback_;
  std::uint64_t countdown_length_;
  SetupRun setup_;
  Direction direction_ = Direction::None;
  std::uint64_t buy_count_ = 0;
  std::uint64_t sell_count_ = 0;
  double qualifier_ = std::numeric_limits<double>::quiet_NaN();
};

/// The checks of the four count lengths: a zero in any position is `ZeroPeriod`.
[[nodiscard]] constexpr std::optional<IndicatorError> check_count_lengths(std::uint64_t a, std::uint64_t s,
                                                                        std::uint64_t b, std::uint64_t n) noexcept {
  if (a == 0 || s == 0 || b == 0 || n == 0) return IndicatorError::zero_period();
  return std::nullopt;
}

}  // namespace sorvik::td

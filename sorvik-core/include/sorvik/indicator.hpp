#pragma once

// The contract every indicator shares: the error type, the window bound, the per-bar context, the
// feed kinds, the validity checks of the input records and the dynamic interface `BarIndicator`.

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sorvik/records.hpp"

namespace sorvik {

// ---------------------------------------------------------------------------------------------------
// Errors

/// The single error type of the library. Constructors (`create`) return it; updates never fail.
struct IndicatorError {
  enum class Kind : std::uint8_t {
    ZeroPeriod,              // "period must be greater than zero"
    InvalidPeriod,           // "invalid period: {}"
    NonFiniteInput,          // "input value must be finite (got NaN or infinity)"
    InvalidCandle,           // "invalid candle: {}"
    InvalidTick,             // "invalid tick: {}"
    NonPositiveMultiplier,   // "multiplier must be greater than zero"
    InvalidOrderBook,        // "invalid order book: {}"
    InvalidTrade,            // "invalid trade: {}"
    InvalidDerivativesTick,  // "invalid derivatives tick: {}"
    InvalidCrossSection,     // "invalid cross-section: {}"
    InvalidParameter,        // "invalid parameter: {}"
  };

  Kind kind = Kind::ZeroPeriod;
  /// The static message of the variants that carry one; empty for the others.
  std::string_view message;

  /// The text the variant displays, with the message in place of `{}`.
  [[nodiscard]] std::string display() const;

  friend bool operator==(const IndicatorError&, const IndicatorError&) = default;

  // One constructor per variant, named after it.
  [[nodiscard]] static constexpr IndicatorError zero_period() noexcept { return {Kind::ZeroPeriod, {}}; }
  [[nodiscard]] static constexpr IndicatorError invalid_period(std::string_view m) noexcept {
    return {Kind::InvalidPeriod, m};
  }
  [[nodiscard]] static constexpr IndicatorError non_finite_input() noexcept {
    return {Kind::NonFiniteInput, {}};
  }
  [[nodiscard]] static constexpr IndicatorError invalid_candle(std::string_view m) noexcept {
    return {Kind::InvalidCandle, m};
  }
  [[nodiscard]] static constexpr IndicatorError invalid_tick(std::string_view m) noexcept {
    return {Kind::InvalidTick, m};
  }
  [[nodiscard]] static constexpr IndicatorError non_positive_multiplier() noexcept {
    return {Kind::NonPositiveMultiplier, {}};
  }
  [[nodiscard]] static constexpr IndicatorError invalid_order_book(std::string_view m) noexcept {
    return {Kind::InvalidOrderBook, m};
  }
  [[nodiscard]] static constexpr IndicatorError invalid_trade(std::string_view m) noexcept {
    return {Kind::InvalidTrade, m};
  }
  [[nodiscard]] static constexpr IndicatorError invalid_derivatives_tick(std::string_view m) noexcept {
    return {Kind::InvalidDerivativesTick, m};
  }
  [[nodiscard]] static constexpr IndicatorError invalid_cross_section(std::string_view m) noexcept {
    return {Kind::InvalidCrossSection, m};
  }
  [[nodiscard]] static constexpr IndicatorError invalid_parameter(std::string_view m) noexcept {
    return {Kind::InvalidParameter, m};
  }
};

/// What a `create` returns: the indicator or the first failing check.
template <class T>
using Expected = std::expected<T, IndicatorError>;

/// `return fail(IndicatorError::invalid_period("..."));` inside a `create`.
[[nodiscard]] inline std::unexpected<IndicatorError> fail(IndicatorError e) noexcept {
  return std::unexpected<IndicatorError>(e);
}

// ---------------------------------------------------------------------------------------------------
// Window bound

/// The largest window length of any indicator (2^24).
inline constexpr std::uint64_t MAX_PERIOD = 16'777'216;

inline constexpr std::string_view PERIOD_TOO_LARGE =
    "period exceeds the maximum supported window length (see MAX_PERIOD)";

/// The check of every window length: 0 is `ZeroPeriod`, above `MAX_PERIOD` is `InvalidPeriod`.
/// Usage: `if (auto err = check_period(n)) return fail(*err);`
[[nodiscard]] constexpr std::optional<IndicatorError> check_period(std::uint64_t n) noexcept {
  if (n == 0) return IndicatorError::zero_period();
  if (n > MAX_PERIOD) return IndicatorError::invalid_period(PERIOD_TOO_LARGE);
  return std::nullopt;
}

/// Only the upper bound (for lengths whose zero test reports its own message).
[[nodiscard]] constexpr std::optional<IndicatorError> check_max_period(std::uint64_t n) noexcept {
  if (n > MAX_PERIOD) return IndicatorError::invalid_period(PERIOD_TOO_LARGE);
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------------------
// Validity of the input records: the first failing rule, or nothing when the record is valid.

/// Candle rules, in order: prices finite; volume finite; volume >= 0 (-0 passes); high >= low;
/// open and close <= high; open and close >= low.
[[nodiscard]] inline std::optional<IndicatorError> check_candle(const Candle& c) noexcept {
  if (!std::isfinite(c.open) || !std::isfinite(c.high) || !std::isfinite(c.low) || !std::isfinite(c.close)) {
    return IndicatorError::invalid_candle("open, high, low, close must all be finite");
  }
  if (!std::isfinite(c.volume)) return IndicatorError::invalid_candle("volume must be finite");
  if (c.volume < 0.0) return IndicatorError::invalid_candle("volume must be non-negative");
  if (c.high < c.low) return IndicatorError::invalid_candle("high must be >= low");
  if (c.open > c.high || c.close > c.high) {
    return IndicatorError::invalid_candle("high must be >= open and >= close");
  }
  if (c.open < c.low || c.close < c.low) {
    return IndicatorError::invalid_candle("low must be <= open and <= close");
  }
  return std::nullopt;
}
/// Price finite and > 0, then size finite and >= 0 (-0 passes).
[[nodiscard]] std::optional<IndicatorError> check_trade(const Trade& t) noexcept;
/// Every trade of a bar's list, oldest first; the first invalid trade decides.
[[nodiscard]] std::optional<IndicatorError> check_trades(std::span<const Trade> trades) noexcept;
/// Every level: price finite and > 0, size finite and >= 0.
[[nodiscard]] std::optional<IndicatorError> check_order_book(const OrderBook& book) noexcept;
/// Every field finite.
[[nodiscard]] std::optional<IndicatorError> check_derivatives_tick(const DerivativesTick& tick) noexcept;
/// Every entry's change and volume finite, volume >= 0.
[[nodiscard]] std::optional<IndicatorError> check_cross_section(const CrossSection& cs) noexcept;

// ---------------------------------------------------------------------------------------------------
// Feed kinds

/// The kind of market data an indicator type consumes, in wire order (index 0 to 5).
enum class FeedKind : std::uint8_t { Kline, Trade, Orderbook, TradeQuote, Derivatives, CrossSection };

inline constexpr FeedKind ALL_FEED_KINDS[] = {FeedKind::Kline,      FeedKind::Trade,
                                              FeedKind::Orderbook,  FeedKind::TradeQuote,
                                              FeedKind::Derivatives, FeedKind::CrossSection};

/// "kline", "trade", "orderbook", "trade_quote", "derivatives", "cross_section".
[[nodiscard]] std::string_view wire_name(FeedKind k) noexcept;
/// "Kline", "Trade", "Orderbook", "TradeQuote", "Derivatives", "CrossSection".
[[nodiscard]] std::string_view display_name(FeedKind k) noexcept;
/// The kind with the given wire name (exact bytes), or nothing.
[[nodiscard]] std::optional<FeedKind> feed_kind_from_wire(std::string_view wire) noexcept;

// ---------------------------------------------------------------------------------------------------
// The per-bar context and the dynamic interface

/// What the bar loop hands to every indicator on every bar. A view: the optional parts point into
/// storage owned by the caller and must outlive the `update` call. A run built from candles alone
/// sets only `candle` (empty trade list, every optional part absent).
struct BarContext {
  std::optional<double> reference;               // the reference series' value (feeds `PairInput.y`)
  const DerivativesTick* derivatives = nullptr;  // absent when null
  Candle candle;                                 // always present
  std::span<const Trade> trades;                 // oldest first; may be empty
  const OrderBook* order_book = nullptr;         // absent when null
  const CrossSection* cross_section = nullptr;   // absent when null
};

/// An output name (a static lower-case identifier) and its value.
struct NamedValue {
  std::string_view name;
  double value = 0.0;
  friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

/// The dynamic interface through which everything outside the library drives an indicator.
class BarIndicator {
 public:
  virtual ~BarIndicator() = default;

  /// Feed this bar: the primary value, or nothing (warming up, invalid or absent input).
  virtual std::optional<double> update(const BarContext& bar) = 0;

  /// The named values of the last update that yielded a value, in the type's order (the first is
  /// the primary value); empty for single-output types. The view stays valid until the next
  /// `update` and is never invalidated by an update that yields nothing.
  [[nodiscard]] virtual std::span<const NamedValue> extra_outputs() const = 0;

  /// The number of bars the indicator needs before it yields values.
  [[nodiscard]] virtual std::uint64_t warmup_period() const = 0;

 protected:
  BarIndicator() = default;
  BarIndicator(const BarIndicator&) = default;
  BarIndicator& operator=(const BarIndicator&) = default;
};

}  // namespace sorvik

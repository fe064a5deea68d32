#pragma once

// The input records of the indicator library. Their validity checks live in indicator.hpp.

#include <cstdint>
#include <span>
#include <vector>

namespace sorvik {

/// One OHLCV bar. The time is carried unchanged from the dataset.
struct Candle {
  std::int64_t time = 0;
  double open = 0.0;
  double high = 0.0;
  double low = 0.0;
  double close = 0.0;
  double volume = 0.0;
};

/// Aggressor side of a trade: `Sell` means the aggressor sold.
enum class Side : std::uint8_t { Buy, Sell };

/// One print.
struct Trade {
  double price = 0.0;
  double size = 0.0;
  std::int64_t time = 0;
  Side side = Side::Buy;
};

/// The size of a trade signed by its side: +size for a buy, -size for a sell.
[[nodiscard]] constexpr double signed_size(const Trade& t) noexcept {
  return t.side == Side::Buy ? t.size : -t.size;
}
/// +1 for a buy, -1 for a sell.
[[nodiscard]] constexpr double trade_sign(const Trade& t) noexcept {
  return t.side == Side::Buy ? 1.0 : -1.0;
}

/// One level of an order book.
struct BookLevel {
  double price = 0.0;
  double size = 0.0;
};

/// Book snapshot: best level first on both sides (highest bid, lowest ask). Either side may be empty.
struct OrderBook {
  std::vector<BookLevel> bids;
  std::vector<BookLevel> asks;
};

/// One derivatives snapshot per bar.
struct DerivativesTick {
  double funding_rate = 0.0;
  double mark_price = 0.0;
  double index_price = 0.0;
  double futures_price = 0.0;
  double open_interest = 0.0;
  double long_positions = 0.0;
  double short_positions = 0.0;
  double taker_buy_volume = 0.0;
  double taker_sell_volume = 0.0;
  double long_liquidations = 0.0;
  double short_liquidations = 0.0;
};

/// One constituent of a market at a bar. `change` above zero advances, below zero declines.
struct CrossSectionEntry {
  double change = 0.0;
  double volume = 0.0;
  bool new_high = false;
  bool new_low = false;
  bool above_ma = false;
  bool bullish = false;
};

/// The constituents of a market at a bar, in order.
struct CrossSection {
  std::vector<CrossSectionEntry> entries;
};

/// The traded series' close `x` and the reference series' value `y` of the same bar.
struct PairInput {
  double x = 0.0;
  double y = 0.0;
};

/// What a trade-and-quote indicator reads from a bar: its trades (oldest first, never empty when it is
/// called through the factory), the book snapshot if there is one, and the bar's close. A view into the
/// bar's context; valid for the duration of one update.
struct TradeQuote {
  std::span<const Trade> trades;
  const OrderBook* book = nullptr;
  double close = 0.0;
};

}  // namespace sorvik

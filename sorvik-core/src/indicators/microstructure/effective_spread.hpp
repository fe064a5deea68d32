#pragma once

#include <optional>

#include "indicators/microstructure/book_measures.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Effective spread of the bar's last trade in basis points: 2·sign·(price − mid)/mid·10000, the mid
/// being the midpoint of the best quotes or, without a two-sided book, the bar's close.
class EffectiveSpread {
 public:
  static constexpr bool stateless = true;

  static Expected<EffectiveSpread> create();

  static std::optional<double> update(TradeQuote q) noexcept {
    if (q.trades.empty()) return std::nullopt;
    const auto mid = reference_mid(q);
    if (!mid) return std::nullopt;
    const Trade& t = q.trades.back();
    return 2.0 * trade_sign(t) * (t.price - *mid) / *mid * 10000.0;
  }
};

}  // namespace sorvik

#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The bar's liquidations, L long and S short: long = L, short = S, net = L - S, total = L + S,
/// imbalance = (L - S) / (L + S), or 0 when L + S is zero.
class LiquidationFeatures {
 public:
  static constexpr bool stateless = true;
  static constexpr std::array<std::string_view, 5> output_names{"long", "short", "net", "total", "imbalance"};

  static Expected<LiquidationFeatures> create();

  static std::optional<std::array<double, 5>> update(const DerivativesTick& t) noexcept {
    const double l = t.long_liquidations;
    const double s = t.short_liquidations;
    const double net = l - s;
    const double total = l + s;
    const double imbalance = total == 0.0 ? 0.0 : net / total;
    return std::array<double, 5>{l, s, net, total, imbalance};
  }
};

}  // namespace sorvik

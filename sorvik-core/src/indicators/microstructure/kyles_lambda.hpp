#pragma once

#include <cstdint>
#include <optional>

#include "indicators/microstructure/book_measures.hpp"
#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Kyle's lambda, the price impact per unit of signed size over the last n trades. Every trade after
/// the first forms (q, Δmid): its signed size and the change of the mid since the previous trade
/// (0 for the second and later trades of a bar); the pairs are held by the anchored co-moment
/// accumulator (re-anchored every n pushes). Once n pairs are held:
/// λ = (E[q·Δ] − E[q]·E[Δ])/(E[q²] − E[q]²), the variance clamped at 0 and λ = 0 when it is 0.
class KylesLambda {
 public:
  /// Checks: window >= 2 (a zero included), then MAX_PERIOD.
  static Expected<KylesLambda> create(std::uint64_t window);
  explicit KylesLambda(std::uint64_t window) : moments_(window) {}

  std::optional<double> update(TradeQuote q) {
    if (q.trades.empty()) return std::nullopt;
    const auto mid = reference_mid(q);
    if (!mid) return std::nullopt;
    for (const Trade& t : q.trades) {
      if (has_mid_) moments_.push(*mid - prev_mid_, signed_size(t));  // x = Δmid, y = q
      prev_mid_ = *mid;
      has_mid_ = true;
    }
    if (!moments_.full()) return std::nullopt;
    return moments_.stats().beta();  // cov(q, Δ)/var(q), 0 when var(q) is 0
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(moments_.period(), 1); }

 private:
  CoMoments moments_;
  double prev_mid_ = 0.0;
  bool has_mid_ = false;
};

}  // namespace sorvik

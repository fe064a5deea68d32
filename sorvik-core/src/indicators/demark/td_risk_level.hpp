#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "indicators/demark/td_counting.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD risk level: the setup of TD setup on closes; a buy run tracks its lowest low with the true
/// range of the bar that made it (replaced only by a strictly lower low), a sell run its highest high
/// with that bar's true range (replaced only by a strictly higher high). While a buy run stands at
/// the length S, `buy_risk` = lowest low - its TR; while a sell run stands at S, `sell_risk` =
/// highest high + its TR. Levels persist; nothing is yielded before the first one, then both, NaN
/// while unset.
class TdRiskLevel {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"buy_risk", "sell_risk"};

  /// Checks: lookback, then length (zero only).
  static Expected<TdRiskLevel> create(std::uint64_t lookback, std::uint64_t length);
  /// Precondition: both positive.
  TdRiskLevel(std::uint64_t lookback, std::uint64_t length) noexcept
      : closes_(static_cast<std::size_t>(lookback)), run_(length) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    if (!closes_.full()) {
      closes_.push_discard(c.close);
      return std::nullopt;
    }
    // The previous close always exists here: the lookback is at least one bar.
    const double prev_close = closes_.newest();
    const double tr = std::max(std::max(c.high - c.low, std::fabs(c.high - prev_close)),
                               std::fabs(c.low - prev_close));
    switch (run_.step(c.close, closes_.oldest())) {
      case td::SetupBar::Buy:
        if (c.low < run_low_) {
          run_low_ = c.low;
          run_low_tr_ = tr;
        }
        run_high_ = -INF;
        break;
      case td::SetupBar::Sell:
        if (c.high > run_high_) {
          run_high_ = c.high;
          run_high_tr_ = tr;
        }
        run_low_ = INF;
        break;
      case td::SetupBar::Equal:
        run_high_ = -INF;
        run_low_ = INF;
        break;
    }
    closes_.push_discard(c.close);
    if (run_.buy_complete()) {
      buy_risk_ = run_low_ - run_low_tr_;
      has_level_ = true;
    }
    if (run_.sell_complete()) {
      sell_risk_ = run_high_ + run_high_tr_;
      has_level_ = true;
    }
    if (!has_level_) return std::nullopt;
    return std::array<double, 2>{buy_risk_, sell_risk_};
  }

  /// lookback + 1, saturating (the first value waits for the first completed setup).
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(closes_.capacity(), 1); }

 private:
  static constexpr double INF = std::numeric_limits<double>::infinity();
  static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

  Window<double> closes_;
  td::SetupRun run_;
  double run_low_ = INF;
  double run_low_tr_ = 0.0;
  double run_high_ = -INF;
  double run_high_tr_ = 0.0;
  double buy_risk_ = NaN;
  double sell_risk_ = NaN;
  bool has_level_ = false;
};

}  // namespace sorvik

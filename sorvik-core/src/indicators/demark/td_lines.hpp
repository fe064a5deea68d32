#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "indicators/demark/td_counting.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TD lines: the setup of TD setup on closes; a buy run tracks its highest high and a sell run its
/// lowest low. While a buy run stands at the length S, `resistance` is the run's highest high; while
/// a sell run stands at S, `support` is the run's lowest low. Levels persist until replaced; nothing
/// is yielded before the first level, then both levels, NaN while unset.
class TdLines {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"resistance", "support"};

  /// Checks: lookback, then length (zero only).
  static Expected<TdLines> create(std::uint64_t lookback, std::uint64_t length);
  /// Precondition: both positive.
  TdLines(std::uint64_t lookback, std::uint64_t length) noexcept
      : closes_(static_cast<std::size_t>(lookback)), run_(length) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    if (!closes_.full()) {
      closes_.push_discard(c.close);
      return std::nullopt;
    }
    switch (run_.step(c.close, closes_.oldest())) {
      case td::SetupBar::Buy:
        run_high_ = std::max(run_high_, c.high);
        run_low_ = INF;
        break;
      case td::SetupBar::Sell:
        run_low_ = std::min(run_low_, c.low);
        run_high_ = -INF;
        break;
      case td::SetupBar::Equal:
        run_high_ = -INF;
        run_low_ = INF;
        break;
    }
    closes_.push_discard(c.close);
    if (run_.buy_complete()) {
      resistance_ = run_high_;
      has_level_ = true;
    }
    if (run_.sell_complete()) {
      support_ = run_low_;
      has_level_ = true;
    }
    if (!has_level_) return std::nullopt;
    return std::array<double, 2>{resistance_, support_};
  }

  /// lookback + 1, saturating (the first value waits for the first completed setup).
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(closes_.capacity(), 1); }

 private:
  static constexpr double INF = std::numeric_limits<double>::infinity();
  static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

  Window<double> closes_;
  td::SetupRun run_;
  double run_high_ = -INF;
  double run_low_ = INF;
  double resistance_ = NaN;
  double support_ = NaN;
  bool has_level_ = false;
};

}  // namespace sorvik

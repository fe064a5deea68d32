#pragma once

// The bar loop: replays candles through the indicators, the risk exits, the equity curve and the
// rules, and finishes with the report.

#include <cstdint>
#include <expected>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sorvik/indicator.hpp"
#include "sorvik_backtest/execution.hpp"
#include "sorvik_backtest/report.hpp"
#include "sorvik_strategy/rules.hpp"
#include "sorvik_strategy/strategy_spec.hpp"

namespace sorvik::backtest {

using strategy::BacktestError;

/// A built indicator under its declared id.
struct DeclaredIndicator {
  std::string id;
  std::unique_ptr<BarIndicator> indicator;
};

/// The most values the bar history of one run may hold (512 MiB of doubles): the bars kept (the
/// rules' deepest look-back plus one, at most the number of candles) times the values the rules read.
inline constexpr std::uint64_t MAX_HISTORY_VALUES = std::uint64_t{1} << 26;

/// Validates the strategy, refuses an empty candle list, builds the indicators in id order, refuses
/// a history larger than MAX_HISTORY_VALUES and runs the bar loop over `candles` in the order given.
[[nodiscard]] std::expected<BacktestReport, BacktestError> run_backtest(
    const strategy::StrategySpec& spec, std::span<const Candle> candles);

/// Builds the declared indicators in id order; the first failure of the factory decides.
[[nodiscard]] std::expected<std::vector<DeclaredIndicator>, BacktestError> build_indicators(
    const strategy::StrategySpec& spec);

/// The state of one run. `spec` must have passed validation and must outlive the loop;
/// `indicators` are in id order; `candle_count` (at least 1) bounds the bar history.
class BarLoop {
 public:
  BarLoop(const strategy::StrategySpec& spec, std::vector<DeclaredIndicator> indicators,
          std::size_t candle_count);

  /// Processes one candle.
  void step(const Candle& c);
  /// Closes an open position at the last close and builds the report. Call once, after at least
  /// one step.
  [[nodiscard]] BacktestReport finish();

  // Read access for tests and diagnostics.
  std::uint64_t warmup() const { return warmup_; }
  std::uint64_t history_depth() const { return depth_; }
  std::size_t history_capacity() const { return history_.capacity(); }
  std::size_t history_slots() const { return history_.slots(); }
  /// Bars kept times values per bar: what the history holds once full.
  std::uint64_t history_values() const {
    return static_cast<std::uint64_t>(history_.capacity()) * history_.slots();
  }
  const Account& account() const { return account_; }
  const std::optional<PendingOrder>& pending() const { return pending_; }

 private:
  struct OutputSlot {
    std::string_view name;
    std::uint32_t slot;
  };
  struct Slotted {
    DeclaredIndicator decl;
    std::uint32_t primary;       // slot of the id, or NONE
    bool outputs_read;           // some rule reads an "id." key
    std::vector<OutputSlot> outputs;  // by output position, filled as names are first seen
  };

  std::uint32_t output_slot(Slotted& s, std::size_t j, std::string_view name);
  void fill_pending(const PendingOrder& o, const Candle& c);
  void open_position(Side side, double price, FeeRole role, const Candle& c);
  void close_with_slippage(double price, ExitReason reason, const Candle& c);

  const strategy::StrategySpec& spec_;
  std::vector<Slotted> indicators_;
  strategy::KeyTable keys_;
  strategy::RuleProgram program_;
  strategy::RuleProgram::Id entry_ = 0;
  strategy::RuleProgram::Id exit_ = 0;
  std::optional<strategy::RuleProgram::Id> short_entry_;
  std::optional<strategy::RuleProgram::Id> short_exit_;
  std::uint64_t warmup_ = 0;
  std::uint64_t depth_ = 0;
  strategy::History history_;
  Account account_;
  std::optional<PendingOrder> pending_;
  double anchor_ = 0.0;
  std::optional<std::uint64_t> entry_index_;
  std::vector<EquityPoint> equity_;
  std::int64_t last_time_ = 0;
  double last_close_ = 0.0;
  std::uint64_t bar_index_ = 0;
  double maker_ = 0.0;
  double taker_ = 0.0;
};

}  // namespace sorvik::backtest

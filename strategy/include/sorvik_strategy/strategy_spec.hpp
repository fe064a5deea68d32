#pragma once

// The strategy document: indicators, rules, sizing, costs, risk and execution settings, the error
// type of the backtest side of a run, and the ordered checks a parsed strategy must pass.

#include <cstdint>
#include <expected>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sorvik/indicator.hpp"
#include "sorvik_strategy/rules.hpp"

namespace sorvik::strategy {

struct IndicatorSpec {
  std::string type;
  std::vector<double> params;
  std::optional<FeedKind> feed;
};

namespace sizing {
struct FixedFraction { double fraction = 0.0; };
struct FixedQty { double qty = 0.0; };
struct FixedCash { double cash = 0.0; };
struct VolTarget { double target_vol = 0.0; std::uint32_t lookback = 0; };
struct RiskPerTrade { double risk_pct = 0.0; };
}  // namespace sizing
using Sizing = std::variant<sizing::FixedFraction, sizing::FixedQty, sizing::FixedCash,
                            sizing::VolTarget, sizing::RiskPerTrade>;

namespace slippage {
struct FixedBps { double bps = 0.0; };
struct Spread {};
struct VolumeImpact { double coef = 0.0; };
}  // namespace slippage
using Slippage = std::variant<slippage::FixedBps, slippage::Spread, slippage::VolumeImpact>;

struct Costs {
  double maker_bps = 0.0;
  double taker_bps = 0.0;
  Slippage slippage = slippage::FixedBps{0.0};
  bool funding = false;
};

struct Risk {
  std::optional<double> stop_loss_pct;
  std::optional<double> take_profit_pct;
  std::optional<double> trailing_stop_pct;
  std::optional<double> max_leverage;
  std::optional<double> max_position_pct;
  bool liquidation = false;
};

enum class OrderType : std::uint8_t { Market, Limit, Stop, StopLimit };
enum class FillTiming : std::uint8_t { NextOpen, Close };

struct Execution {
  OrderType order_type = OrderType::Market;
  FillTiming fill_timing = FillTiming::NextOpen;
  std::optional<double> limit_offset_pct;
  std::optional<double> stop_offset_pct;
  std::uint32_t latency_bars = 0;
  bool partial_fills = false;
  std::optional<double> max_participation;
};

struct StrategySpec {
  std::uint32_t spec_version = 1;
  std::string symbol;
  std::optional<std::string> ref_symbol;
  std::string timeframe;
  std::map<std::string, IndicatorSpec, std::less<>> indicators;  // ascending id bytes
  Condition entry;
  Condition exit;
  std::optional<Condition> short_entry;
  std::optional<Condition> short_exit;
  Sizing sizing = sizing::FixedFraction{};
  Costs costs;
  Risk risk;
  Execution execution;
  std::optional<std::uint32_t> warmup;
};

/// The highest document version this build reads.
inline constexpr std::uint32_t SPEC_VERSION_MAX = 1;

/// The error of the backtest side of a run.
struct BacktestError {
  enum class Kind : std::uint8_t {
    InvalidSpec,           // "invalid strategy spec: {message}"
    UnknownIndicatorType,  // "unknown indicator type: {name}"
    IndicatorParameters,   // "invalid parameters for indicator {name}: {message}"
    UndeclaredIndicator,   // "rule references undeclared indicator: {name}" (the reference)
    InvalidInput,          // "invalid input data: {message}"
  };
  Kind kind = Kind::InvalidSpec;
  std::string name;     // type name or reference, for the variants that carry one
  std::string message;  // message or reason

  [[nodiscard]] std::string display() const;
  friend bool operator==(const BacktestError&, const BacktestError&) = default;

  static BacktestError invalid_spec(std::string m) { return {Kind::InvalidSpec, {}, std::move(m)}; }
  static BacktestError invalid_input(std::string m) { return {Kind::InvalidInput, {}, std::move(m)}; }
};

/// The ordered checks of a parsed strategy; the first failure decides.
[[nodiscard]] std::expected<void, BacktestError> validate(const StrategySpec& spec);

/// The checks a run built from candles alone adds after `validate`.
[[nodiscard]] std::expected<void, BacktestError> check_runner_feeds(const StrategySpec& spec);

}  // namespace sorvik::strategy

#pragma once

// Position sizing and the risk exits of an open position.

#include <cstdint>
#include <optional>

#include "sorvik/records.hpp"
#include "sorvik_backtest/execution.hpp"
#include "sorvik_strategy/rules.hpp"
#include "sorvik_strategy/strategy_spec.hpp"

namespace sorvik::backtest {

/// Population standard deviation of the simple returns of the last `lookback` closes of the
/// history, or nothing (lookback below 2, too few snapshots, no usable return, zero variance).
std::optional<double> volatility_estimate(const strategy::History& h, std::uint32_t lookback);

/// The raw size capped by leverage and position share (no participation cap), or nothing when
/// the rule declines. `cash` and `price` are positive.
std::optional<double> capped_size(const strategy::StrategySpec& spec, double cash, double price,
                                  std::optional<double> vol);

/// The size of a new position at fill price `price`, or nothing when declined.
std::optional<double> size_position(const strategy::StrategySpec& spec, double cash, double price,
                                    std::optional<double> vol, const Candle& c);

/// The provisional size used for volume-impact slippage: |capped size| at the unslipped price,
/// 0 when the cash or the price is not positive or the rule declines.
double provisional_size(const strategy::StrategySpec& spec, double cash, double price,
                        std::optional<double> vol);

/// A risk exit that fires on candle `c`: the exit price and its reason.
struct RiskExit {
  double price;
  ExitReason reason;
};

/// Moves the trail anchor with the candle, then tests stop-loss, trailing stop, take-profit and
/// liquidation in that order. The account must hold an open position.
std::optional<RiskExit> risk_exit(const Account& a, double& anchor, const Candle& c,
                                  const strategy::Risk& risk);

}  // namespace sorvik::backtest

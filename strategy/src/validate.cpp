#include <set>
#include <string>

#include "sorvik/factory.hpp"
#include "sorvik_strategy/strategy_spec.hpp"

namespace sorvik::strategy {

namespace {

// The stored messages keep their runs of spaces exactly as users have always seen them.
constexpr const char* RISK_PER_TRADE_NEEDS_STOP =
    "sizing risk_per_trade requires risk.stop_loss_pct: the position size is"
    "                  "
    "derived from the distance to the stop";
constexpr const char* STOP_NEEDS_OFFSET = "stop order_type requires execution.stop_offset_pct";
constexpr const char* STOP_LIMIT_NEEDS_OFFSETS =
    "stop_limit order_type requires both execution.stop_offset_pct and"
    "                      "
    "execution.limit_offset_pct";
constexpr const char* LIMIT_NEEDS_OFFSET = "limit order_type requires execution.limit_offset_pct";
constexpr const char* PARTIAL_NEEDS_PARTICIPATION =
    "partial_fills requires execution.max_participation";
constexpr const char* CLOSE_NEEDS_MARKET = "fill_timing close requires a market order_type";
constexpr const char* CLOSE_WITHOUT_LATENCY = "fill_timing close is incompatible with latency_bars";
constexpr const char* SPREAD_NEEDS_BOOK =
    "costs.slippage spread needs an order-book feed; without one every fill"
    "              "
    "would be priced at zero slippage";
constexpr const char* FUNDING_NEEDS_DERIVATIVES =
    "costs.funding needs a derivatives feed; without one no funding would be"
    "              "
    "charged at all";

std::unexpected<BacktestError> spec_error(std::string m) {
  return std::unexpected(BacktestError::invalid_spec(std::move(m)));
}

}  // namespace

std::string BacktestError::display() const {
  switch (kind) {
    case Kind::InvalidSpec: return "invalid strategy spec: " + message;
    case Kind::UnknownIndicatorType: return "unknown indicator type: " + name;
    case Kind::IndicatorParameters:
      return "invalid parameters for indicator " + name + ": " + message;
    case Kind::UndeclaredIndicator: return "rule references undeclared indicator: " + name;
    case Kind::InvalidInput: return "invalid input data: " + message;
  }
  return message;
}

std::expected<void, BacktestError> validate(const StrategySpec& spec) {
  // 1. Every rule reference names a declared indicator.
  std::set<std::string, std::less<>> declared;
  for (const auto& [id, _] : spec.indicators) declared.insert(id);
  const Condition* rules[] = {&spec.entry, &spec.exit,
                              spec.short_entry ? &*spec.short_entry : nullptr,
                              spec.short_exit ? &*spec.short_exit : nullptr};
  for (const Condition* rule : rules) {
    if (rule == nullptr) continue;
    if (auto bad = check_references(*rule, declared)) {
      return std::unexpected(
          BacktestError{BacktestError::Kind::UndeclaredIndicator, std::move(*bad), {}});
    }
  }

  // 2. Document version.
  if (spec.spec_version != 1) {
    return spec_error("spec_version " + std::to_string(spec.spec_version) +
                      " is not supported; this build reads 1..=" +
                      std::to_string(SPEC_VERSION_MAX));
  }

  // 3. Risk-per-trade sizing is measured against the stop.
  if (std::holds_alternative<sizing::RiskPerTrade>(spec.sizing) && !spec.risk.stop_loss_pct) {
    return spec_error(RISK_PER_TRADE_NEEDS_STOP);
  }

  // 4. Declared feeds agree with what the type consumes.
  for (const auto& [id, ind] : spec.indicators) {
    if (!ind.feed) continue;
    std::optional<FeedKind> consumed = feed_kind_of(ind.type);
    if (consumed && *consumed != *ind.feed) {
      std::string m = "indicator '" + id + "' (" + ind.type + ") declares feed ";
      m.append(display_name(*ind.feed)).append(" but consumes ").append(display_name(*consumed));
      return spec_error(std::move(m));
    }
  }

  // 5. Order prices.
  const Execution& ex = spec.execution;
  switch (ex.order_type) {
    case OrderType::Stop:
      if (!ex.stop_offset_pct) return spec_error(STOP_NEEDS_OFFSET);
      break;
    case OrderType::StopLimit:
      if (!ex.stop_offset_pct || !ex.limit_offset_pct) return spec_error(STOP_LIMIT_NEEDS_OFFSETS);
      break;
    case OrderType::Limit:
      if (!ex.limit_offset_pct) return spec_error(LIMIT_NEEDS_OFFSET);
      break;
    case OrderType::Market:
      break;
  }

  // 6. Partial fills need their share of volume.
  if (ex.partial_fills && !ex.max_participation) return spec_error(PARTIAL_NEEDS_PARTICIPATION);

  // 7. Fills at the close.
  if (ex.fill_timing == FillTiming::Close) {
    if (ex.order_type != OrderType::Market) return spec_error(CLOSE_NEEDS_MARKET);
    if (ex.latency_bars != 0) return spec_error(CLOSE_WITHOUT_LATENCY);
  }
  return {};
}

std::expected<void, BacktestError> check_runner_feeds(const StrategySpec& spec) {
  if (std::holds_alternative<slippage::Spread>(spec.costs.slippage)) {
    return spec_error(SPREAD_NEEDS_BOOK);
  }
  if (spec.costs.funding) return spec_error(FUNDING_NEEDS_DERIVATIVES);
  return {};
}

}  // namespace sorvik::strategy

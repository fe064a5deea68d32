#pragma once

// Reading the strategy document and its rules from a JSON value.

#include "sorvik_json/record.hpp"
#include "sorvik_json/value.hpp"
#include "sorvik_strategy/rules.hpp"
#include "sorvik_strategy/strategy_spec.hpp"

namespace sorvik::strategy {

/// The strategy document, or the reader's first error.
json::Read<StrategySpec> parse_strategy(const json::Value& v);

/// One rule: an object with exactly one key naming the condition.
json::Read<Condition> parse_condition(const json::Value& v);

/// One operand: a reference string, a number, or an object with exactly one operator key.
json::Read<Operand> parse_operand(const json::Value& v);

}  // namespace sorvik::strategy

#pragma once

#include <string>

namespace sorvik::runner {

/// The runner's error: a kind and a message, displayed as the kind's prefix followed by the message.
struct RunnerError {
  enum class Kind {
    InvalidCase,      // "invalid case: {}"
    InvalidStrategy,  // "invalid strategy spec: {}"
    DataError,        // "data error: {}"
    EngineError,      // "backtest engine error: {}"
    ParseError,       // "parse error: {}"
  };
  Kind kind;
  std::string message;

  std::string display() const;

  static RunnerError invalid_case(std::string m) { return {Kind::InvalidCase, std::move(m)}; }
  static RunnerError invalid_strategy(std::string m) { return {Kind::InvalidStrategy, std::move(m)}; }
  static RunnerError data_error(std::string m) { return {Kind::DataError, std::move(m)}; }
  static RunnerError engine_error(std::string m) { return {Kind::EngineError, std::move(m)}; }
  static RunnerError parse_error(std::string m) { return {Kind::ParseError, std::move(m)}; }
};

}  // namespace sorvik::runner

#include "sorvik_benchmark/runner_error.hpp"

namespace sorvik::runner {

std::string RunnerError::display() const {
  switch (kind) {
    case Kind::InvalidCase: return "invalid case: " + message;
    case Kind::InvalidStrategy: return "invalid strategy spec: " + message;
    case Kind::DataError: return "data error: " + message;
    case Kind::EngineError: return "backtest engine error: " + message;
    case Kind::ParseError: return "parse error: " + message;
  }
  return message;
}

}  // namespace sorvik::runner

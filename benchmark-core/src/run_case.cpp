#include "sorvik_benchmark/run_case.hpp"

#include <utility>

#include "sorvik_backtest/engine.hpp"
#include "sorvik_backtest/report.hpp"
#include "sorvik_strategy/reader.hpp"

namespace sorvik::runner {

std::expected<CaseResult, RunnerError> run_one_case(const BenchmarkCase& c, std::vector<Candle> candles) {
  if (auto ok = validate_case(c); !ok) return std::unexpected(std::move(ok.error()));
  auto spec = strategy::parse_strategy(c.strategy);
  if (!spec) return std::unexpected(RunnerError::invalid_strategy(std::move(spec.error().message)));
  auto report = backtest::run_backtest(*spec, candles);
  if (!report) return std::unexpected(RunnerError::engine_error(report.error().display()));
  return case_verdict(c, backtest::report_to_json(*report));
}

}  // namespace sorvik::runner

#pragma once

#include <expected>
#include <vector>

#include "sorvik/records.hpp"
#include "sorvik_benchmark/cases.hpp"
#include "sorvik_benchmark/runner_error.hpp"
#include "sorvik_benchmark/verdict.hpp"

namespace sorvik::runner {

/// Runs one case on its candles: validates the case, runs the strategy and answers the verdict.
std::expected<CaseResult, RunnerError> run_one_case(const BenchmarkCase& c, std::vector<Candle> candles);

}  // namespace sorvik::runner

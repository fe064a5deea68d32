#pragma once

#include <cstdint>
#include <expected>
#include <functional>
#include <vector>

#include "sorvik_benchmark/cases.hpp"
#include "sorvik_benchmark/runner_error.hpp"
#include "sorvik_benchmark/verdict.hpp"

namespace sorvik::runner {

struct SuiteResult {
  std::vector<CaseResult> results;  // ascending by case id
  std::uint64_t passed = 0;         // results with both `passed` and `hash_match`
  std::uint64_t failed = 0;
};

using CaseRunner = std::function<std::expected<CaseResult, RunnerError>(const BenchmarkCase&, std::vector<Candle>)>;

/// Validates the suite, gives each case its own copy of its dataset and runs the cases on the worker
/// pool through `run` (run_one_case by default). The first error recorded is the answer; no partial
/// results.
std::expected<SuiteResult, RunnerError> run_suite(const Suite& suite, const Datasets& datasets);
std::expected<SuiteResult, RunnerError> run_suite(const Suite& suite, const Datasets& datasets,
                                                  const CaseRunner& run);

json::Value suite_result_to_json(SuiteResult result);

}  // namespace sorvik::runner

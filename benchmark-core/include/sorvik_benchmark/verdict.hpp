#pragma once

#include <string>

#include "sorvik_benchmark/cases.hpp"
#include "sorvik_json/value.hpp"

namespace sorvik::runner {

/// The outcome of one case.
struct CaseResult {
  std::string id;
  bool passed = false;      // canonical text of the report equals that of the case's `expected`
  bool hash_match = false;  // report hash equals the case's `expected_hash`
  json::Value recomputed;   // the report value
  std::string hash;         // the report hash
};

/// Compares a run's report value with the case's expectation.
CaseResult case_verdict(const BenchmarkCase& c, json::Value report);

json::Value case_result_to_json(CaseResult result);

}  // namespace sorvik::runner

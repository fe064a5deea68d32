#pragma once
// Benchmark cases, suites, candles and datasets as they arrive in commands, their readers and the
// checks a case or suite must pass before anything runs.

#include <expected>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sorvik/records.hpp"
#include "sorvik_benchmark/runner_error.hpp"
#include "sorvik_json/record.hpp"
#include "sorvik_json/value.hpp"

namespace sorvik::runner {

struct BenchmarkCase {
  std::string id;
  std::string description;
  json::Value strategy;  // a StrategySpec document, read when the case runs
  std::string dataset_ref;
  json::Value expected;  // the expected report
  std::string expected_hash;
};

struct Suite {
  std::string name;
  std::vector<BenchmarkCase> cases;
};

using Datasets = std::map<std::string, std::vector<Candle>, std::less<>>;

struct RunCaseReq {
  BenchmarkCase case_;
  std::vector<Candle> data;
};

struct ListCasesReq {
  Suite suite;
};

struct RunSuiteReq {
  Suite suite;
  Datasets datasets;
};

json::Read<BenchmarkCase> read_case(const json::Value& v);
json::Read<Suite> read_suite(const json::Value& v);
json::Read<Candle> read_candle(const json::Value& v);
json::Read<std::vector<Candle>> read_candles(const json::Value& v);
json::Read<Datasets> read_datasets(const json::Value& v);
json::Read<RunCaseReq> read_run_case_req(const json::Value& v);
json::Read<ListCasesReq> read_list_cases_req(const json::Value& v);
json::Read<RunSuiteReq> read_run_suite_req(const json::Value& v);

std::expected<void, RunnerError> validate_case(const BenchmarkCase& c);
std::expected<void, RunnerError> validate_suite(const std::vector<BenchmarkCase>& cases);

/// The candles of the dataset named exactly `name`, or nullptr.
const std::vector<Candle>* find_dataset(const Datasets& datasets, std::string_view name);

}  // namespace sorvik::runner

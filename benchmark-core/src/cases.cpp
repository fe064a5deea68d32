#include "sorvik_benchmark/cases.hpp"

#include <unordered_set>

namespace sorvik::runner {

using json::assign;
using json::Field;
using json::Read;
using json::RecordShape;
using json::Status;
using json::Value;

namespace {

constexpr Field kCaseFields[] = {{"id"},          {"description"}, {"strategy"},
                                 {"dataset_ref"}, {"expected"},    {"expected_hash"}};
constexpr RecordShape kCase{"struct BenchmarkCase", kCaseFields, /*deny_unknown=*/true};

constexpr Field kSuiteFields[] = {{"name", Field::kOptional}, {"cases"}};
constexpr RecordShape kSuite{"struct Suite", kSuiteFields};

constexpr Field kCandleFields[] = {{"time"}, {"open"}, {"high"}, {"low"}, {"close"}, {"volume", Field::kOptional}};
constexpr RecordShape kCandle{"struct Candle", kCandleFields};

constexpr Field kRunCaseFields[] = {{"case"}, {"data"}};
constexpr RecordShape kRunCase{"struct RunCaseReq", kRunCaseFields};

constexpr Field kListCasesFields[] = {{"suite"}};
constexpr RecordShape kListCases{"struct ListCasesReq", kListCasesFields};

constexpr Field kRunSuiteFields[] = {{"suite"}, {"datasets", Field::kOptional}};
constexpr RecordShape kRunSuite{"struct RunSuiteReq", kRunSuiteFields};

template <class T>
Read<T> finish(Status s, T&& value) {
  if (!s) return std::unexpected(std::move(s.error()));
  return std::move(value);
}

bool is_lower_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

Read<BenchmarkCase> read_case(const Value& v) {
  BenchmarkCase c;
  Status s = json::read_record(v, kCase, [&](std::size_t field, const Value& x) -> Status {
    switch (field) {
      case 0: return assign(c.id, json::read_string(x));
      case 1: return assign(c.description, json::read_string(x));
      case 2: c.strategy = x; return {};
      case 3: return assign(c.dataset_ref, json::read_string(x));
      case 4: c.expected = x; return {};
      default: return assign(c.expected_hash, json::read_string(x));
    }
  });
  return finish(std::move(s), std::move(c));
}

Read<Suite> read_suite(const Value& v) {
  Suite suite;
  Status s = json::read_record(v, kSuite, [&](std::size_t field, const Value& x) -> Status {
    if (field == 0) return assign(suite.name, json::read_string(x));
    return assign(suite.cases, json::read_seq(x, read_case));
  });
  return finish(std::move(s), std::move(suite));
}

Read<Candle> read_candle(const Value& v) {
  Candle candle;
  Status s = json::read_record(v, kCandle, [&](std::size_t field, const Value& x) -> Status {
    switch (field) {
      case 0: return assign(candle.time, json::read_i64(x));
      case 1: return assign(candle.open, json::read_f64(x));
      case 2: return assign(candle.high, json::read_f64(x));
      case 3: return assign(candle.low, json::read_f64(x));
      case 4: return assign(candle.close, json::read_f64(x));
      default: return assign(candle.volume, json::read_f64(x));
    }
  });
  return finish(std::move(s), std::move(candle));
}

Read<std::vector<Candle>> read_candles(const Value& v) { return json::read_seq(v, read_candle); }

Read<Datasets> read_datasets(const Value& v) { return json::read_map(v, read_candles); }

Read<RunCaseReq> read_run_case_req(const Value& v) {
  RunCaseReq req;
  Status s = json::read_record(v, kRunCase, [&](std::size_t field, const Value& x) -> Status {
    if (field == 0) return assign(req.case_, read_case(x));
    return assign(req.data, read_candles(x));
  });
  return finish(std::move(s), std::move(req));
}

Read<ListCasesReq> read_list_cases_req(const Value& v) {
  ListCasesReq req;
  Status s = json::read_record(v, kListCases, [&](std::size_t, const Value& x) -> Status {
    return assign(req.suite, read_suite(x));
  });
  return finish(std::move(s), std::move(req));
}

Read<RunSuiteReq> read_run_suite_req(const Value& v) {
  RunSuiteReq req;
  Status s = json::read_record(v, kRunSuite, [&](std::size_t field, const Value& x) -> Status {
    if (field == 0) return assign(req.suite, read_suite(x));
    return assign(req.datasets, read_datasets(x));
  });
  return finish(std::move(s), std::move(req));
}

std::expected<void, RunnerError> validate_case(const BenchmarkCase& c) {
  if (c.id.empty()) return std::unexpected(RunnerError::invalid_case("case id must not be empty"));
  if (c.dataset_ref.empty()) return std::unexpected(RunnerError::invalid_case("dataset_ref must not be empty"));
  bool hash_ok = c.expected_hash.size() == 64;
  for (char ch : c.expected_hash) hash_ok = hash_ok && is_lower_hex(ch);
  if (!hash_ok) {
    return std::unexpected(RunnerError::invalid_case("expected_hash must be 64 lowercase hex characters, got " +
                                                     json::quoted_text(c.expected_hash)));
  }
  if (!c.expected.is_object()) {
    return std::unexpected(RunnerError::invalid_case("expected must be a JSON object (a BacktestReport)"));
  }
  if (!c.strategy.is_object()) {
    return std::unexpected(RunnerError::invalid_strategy("strategy must be a JSON object (a StrategySpec)"));
  }
  return {};
}

std::expected<void, RunnerError> validate_suite(const std::vector<BenchmarkCase>& cases) {
  std::unordered_set<std::string_view> seen;
  seen.reserve(cases.size());
  for (const BenchmarkCase& c : cases) {
    if (auto ok = validate_case(c); !ok) return ok;
    if (!seen.insert(c.id).second) return std::unexpected(RunnerError::invalid_case("duplicate case id: " + c.id));
  }
  return {};
}

const std::vector<Candle>* find_dataset(const Datasets& datasets, std::string_view name) {
  const auto it = datasets.find(name);
  return it == datasets.end() ? nullptr : &it->second;
}

}  // namespace sorvik::runner

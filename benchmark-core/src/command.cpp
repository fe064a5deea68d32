#include "sorvik_benchmark/command.hpp"

#include <algorithm>
#include <exception>
#include <new>

#include "sorvik_benchmark/canonical.hpp"
#include "sorvik_benchmark/cases.hpp"
#include "sorvik_benchmark/run_case.hpp"
#include "sorvik_benchmark/runner_error.hpp"
#include "sorvik_benchmark/suite_runner.hpp"
#include "sorvik_json/reader.hpp"

namespace sorvik::runner {

namespace {

using json::Value;

template <class T>
std::expected<T, RunnerError> as_parse_error(json::Read<T>&& r) {
  if (!r) return std::unexpected(RunnerError::parse_error(std::move(r.error().message)));
  return std::move(*r);
}

std::expected<Value, RunnerError> version_answer() {
  json::ObjectBuilder b;
  b.add("version", Value::string(VERSION));
  b.add("engine_version", Value::string(VERSION));
  return std::move(b).build();
}

// The command handlers take the parsed text by value and release it once their request is read:
// the tree of a large command is several times the size of the candles it holds.
std::expected<Value, RunnerError> list_cases(Value command) {
  auto req = as_parse_error(read_list_cases_req(command));
  if (!req) return std::unexpected(std::move(req.error()));
  command = Value();
  if (auto ok = validate_suite(req->suite.cases); !ok) return std::unexpected(std::move(ok.error()));
  std::vector<std::string_view> ids;
  ids.reserve(req->suite.cases.size());
  for (const BenchmarkCase& c : req->suite.cases) ids.push_back(c.id);
  std::sort(ids.begin(), ids.end());
  json::ArrayBuilder a;
  a.reserve(ids.size());
  for (std::string_view id : ids) a.push(Value::string(id));
  json::ObjectBuilder b;
  b.add("ids", std::move(a).build());
  return std::move(b).build();
}

std::expected<Value, RunnerError> run_case(Value command) {
  auto req = as_parse_error(read_run_case_req(command));
  if (!req) return std::unexpected(std::move(req.error()));
  command = Value();
  auto result = run_one_case(req->case_, std::move(req->data));
  if (!result) return std::unexpected(std::move(result.error()));
  return case_result_to_json(std::move(*result));
}

std::expected<Value, RunnerError> run_suite_command(Value command) {
  auto req = as_parse_error(read_run_suite_req(command));
  if (!req) return std::unexpected(std::move(req.error()));
  command = Value();
  auto result = run_suite(req->suite, req->datasets);
  if (!result) return std::unexpected(std::move(result.error()));
  return suite_result_to_json(std::move(*result));
}

std::expected<Value, RunnerError> answer(std::string_view text) {
  std::expected<Value, RunnerError> out;
  {
    auto parsed = json::parse(text);
    if (!parsed) return std::unexpected(RunnerError::parse_error(parsed.error().display()));
    Value& command = *parsed;
    std::string_view name;
    if (const Value* cmd = command.find("cmd"); cmd != nullptr && cmd->is_string()) name = cmd->as_string();
    if (name == "version") {
      out = version_answer();
    } else if (name == "run_case") {
      out = run_case(std::move(command));
    } else if (name == "run_suite") {
      out = run_suite_command(std::move(command));
    } else if (name == "list_cases") {
      out = list_cases(std::move(command));
    } else {
      return std::unexpected(RunnerError::parse_error("unknown cmd: " + std::string(name)));
    }
  }  // the command tree is released before the answer is written
  return out;
}

std::string error_response(const RunnerError& e) {
  json::ObjectBuilder b;
  b.add("ok", Value::boolean(false));
  b.add("error", Value::string(e.display()));
  return canonical_text(std::move(b).build());
}

}  // namespace

std::string handle_command(std::string_view command_text) noexcept {
  try {
    auto result = answer(command_text);
    if (!result) return error_response(result.error());
    return canonical_text(*result);
  } catch (const std::bad_alloc&) {
  } catch (...) {
  }
  // Out of memory (or an unexpected failure): a fixed answer that needs no allocation to build beyond
  // the returned string itself.
  try {
    return R"({"error":"backtest engine error: out of memory","ok":false})";
  } catch (...) {
    return {};
  }
}

}  // namespace sorvik::runner

#include "sorvik_benchmark/suite_runner.hpp"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>

#include "sorvik_benchmark/run_case.hpp"

namespace sorvik::runner {

namespace {

struct Job {
  const BenchmarkCase* c;
  std::vector<Candle> candles;
};

}  // namespace

std::expected<SuiteResult, RunnerError> run_suite(const Suite& suite, const Datasets& datasets) {
  return run_suite(suite, datasets, CaseRunner(run_one_case));
}

std::expected<SuiteResult, RunnerError> run_suite(const Suite& suite, const Datasets& datasets,
                                                  const CaseRunner& run) {
  if (auto ok = validate_suite(suite.cases); !ok) return std::unexpected(std::move(ok.error()));

  // Every job gets its own copy of its candles before the first one starts.
  std::vector<Job> jobs;
  jobs.reserve(suite.cases.size());
  for (const BenchmarkCase& c : suite.cases) {
    const std::vector<Candle>* candles = find_dataset(datasets, c.dataset_ref);
    if (candles == nullptr) return std::unexpected(RunnerError::data_error("no dataset supplied for " + c.dataset_ref));
    jobs.push_back(Job{&c, *candles});
  }

  std::vector<std::optional<CaseResult>> results(jobs.size());
  std::atomic<bool> stop{false};
  std::mutex error_mutex;
  std::optional<RunnerError> first_error;

  tbb::parallel_for(tbb::blocked_range<std::size_t>(0, jobs.size(), 1), [&](const tbb::blocked_range<std::size_t>& r) {
    for (std::size_t i = r.begin(); i != r.end(); ++i) {
      if (stop.load(std::memory_order_acquire)) return;
      auto outcome = run(*jobs[i].c, std::move(jobs[i].candles));
      if (outcome) {
        results[i] = std::move(*outcome);
      } else {
        std::lock_guard lock(error_mutex);
        if (!first_error) first_error = std::move(outcome.error());
        stop.store(true, std::memory_order_release);
      }
    }
  });
  if (first_error) return std::unexpected(std::move(*first_error));

  SuiteResult out;
  out.results.reserve(results.size());
  for (auto& r : results) out.results.push_back(std::move(*r));
  std::stable_sort(out.results.begin(), out.results.end(),
                   [](const CaseResult& a, const CaseResult& b) { return a.id < b.id; });
  for (const CaseResult& r : out.results) {
    if (r.passed && r.hash_match) ++out.passed;
  }
  out.failed = out.results.size() - out.passed;
  return out;
}

json::Value suite_result_to_json(SuiteResult result) {
  json::ArrayBuilder results;
  results.reserve(result.results.size());
  for (CaseResult& r : result.results) results.push(case_result_to_json(std::move(r)));
  json::ObjectBuilder b;
  b.add("results", std::move(results).build());
  b.add("passed", json::Value::u64(result.passed));
  b.add("failed", json::Value::u64(result.failed));
  return std::move(b).build();
}

}  // namespace sorvik::runner

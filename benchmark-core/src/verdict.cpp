#include "sorvik_benchmark/verdict.hpp"

#include "sorvik_benchmark/canonical.hpp"
#include "sorvik_benchmark/report_hash.hpp"

namespace sorvik::runner {

CaseResult case_verdict(const BenchmarkCase& c, json::Value report) {
  const std::string text_r = canonical_text(report);
  std::string hash = blake3_hex(text_r);
  const std::string text_e = canonical_text(c.expected);
  CaseResult result;
  result.id = c.id;
  result.passed = text_r == text_e;
  result.hash_match = hash == c.expected_hash;
  result.recomputed = std::move(report);
  result.hash = std::move(hash);
  return result;
}

json::Value case_result_to_json(CaseResult result) {
  json::ObjectBuilder b;
  b.reserve(5);
  b.add("id", json::Value::string(result.id));
  b.add("passed", json::Value::boolean(result.passed));
  b.add("hash_match", json::Value::boolean(result.hash_match));
  b.add("recomputed", std::move(result.recomputed));
  b.add("hash", json::Value::string(result.hash));
  return std::move(b).build();
}

}  // namespace sorvik::runner

// The whole command path: any bytes in, one JSON object out, the same every time, never a crash, a
// hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sorvik_benchmark/command.hpp"
#include "sorvik_json/reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string answer = sorvik::runner::handle_command(text);
  // Every answer is one canonical JSON object: success or {"error":..., "ok":false}.
  auto parsed = sorvik::json::parse(answer);
  if (!parsed || !parsed->is_object()) std::abort();
  if (const auto* ok = parsed->find("ok"); ok != nullptr) {
    const auto* error = parsed->find("error");
    if (!ok->is_bool() || ok->as_bool() || error == nullptr || !error->is_string()) std::abort();
  }
  // The same text always gives the same answer (a suite with several failing cases may name any of
  // them, so suites are left out).
  auto command = sorvik::json::parse(text);
  const auto* name = command ? command->find("cmd") : nullptr;
  const bool suite = name != nullptr && name->is_string() && name->as_string() == "run_suite";
  if (!suite && sorvik::runner::handle_command(text) != answer) std::abort();
  return 0;
}

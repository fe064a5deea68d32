// The JSON reader alone. Properties: a failure is positioned inside the text; a success written
// canonically reads back to the same canonical text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sorvik_benchmark/canonical.hpp"
#include "sorvik_json/reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto v = sorvik::json::parse(text);
  if (!v) {
    const auto& f = v.error();
    if (f.message.empty() || f.line == 0 || f.line > size + 1 || f.column > size) std::abort();
    return 0;
  }
  const std::string once = sorvik::runner::canonical_text(*v);
  auto again = sorvik::json::parse(once);
  if (!again) std::abort();
  if (sorvik::runner::canonical_text(*again) != once) std::abort();
  return 0;
}

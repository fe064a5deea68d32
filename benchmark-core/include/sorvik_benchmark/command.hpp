#pragma once

#include <string>
#include <string_view>

namespace sorvik::runner {

/// The library version: `__version__`, `Benchmark.version()` and both fields of the "version" answer.
inline constexpr std::string_view VERSION = "0.2.0";

/// Handles one command text and answers its response text, success or error, in canonical form.
/// Never throws: every failure, an allocation failure included, becomes an error response.
std::string handle_command(std::string_view command_text) noexcept;

}  // namespace sorvik::runner

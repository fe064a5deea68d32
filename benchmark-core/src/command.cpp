#include "sorvik_benchmark/command.hpp"

namespace sorvik::runner {

std::string handle_command(std::string_view) noexcept {
  try {
    return R"({"engine_version":"0.2.0","version":"0.2.0"})";
  } catch (...) {
    return {};
  }
}

}  // namespace sorvik::runner

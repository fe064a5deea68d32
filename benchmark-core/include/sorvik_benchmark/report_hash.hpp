#pragma once

#include <string>
#include <string_view>

#include "sorvik_json/value.hpp"

namespace sorvik::runner {

/// BLAKE3 (unkeyed, 32 bytes) of the bytes, as 64 lowercase hex characters.
std::string blake3_hex(std::string_view bytes);

/// The report hash: BLAKE3 of the canonical text of the report value.
std::string report_hash(const json::Value& report);

}  // namespace sorvik::runner

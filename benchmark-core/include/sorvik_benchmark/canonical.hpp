#pragma once

#include <string>

#include "sorvik_json/value.hpp"

namespace sorvik::runner {

/// The one byte string of a JSON value: compact, object keys in ascending byte order, integers in
/// decimal, floats below 45035996.27370496 in magnitude rounded to 8 decimals (trailing zeros and a
/// trailing point dropped, "-0" written "0"), larger ones in their shortest round-trip digits without
/// an exponent. Non-finite floats (never produced by this system) are written as null.
std::string canonical_text(const json::Value& value);

/// Appends the canonical text of `value` to `out`.
void append_canonical(const json::Value& value, std::string& out);

}  // namespace sorvik::runner

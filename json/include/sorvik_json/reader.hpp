#pragma once
// The JSON reader: one text in, one Value out, or the first failure with its position.
//
//   auto v = sorvik::json::parse(text);
//   if (!v) return v.error().display();   // "expected value at line 1 column 3"
//
// Numbers: no sign, fraction or exponent and fits 64 bits -> u64; negative without fraction or exponent
// and fits -> i64; anything else -> f64, correctly rounded ("-0" is the float -0.0); a float that
// overflows fails with "number out of range". Nesting of 128 arrays/objects fails ("recursion limit
// exceeded"). Strings must be valid UTF-8; a byte sequence that is not fails with "invalid unicode code
// point". Positions: lines count from 1; the column is a byte count within the line: for a failure on
// an unexpected byte it is the 1-based column of that byte, for the end of the text the number of
// bytes on the last line, for a failure found after reading an escape, number or identifier the column
// of the last byte read.

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

#include "sorvik_json/value.hpp"

namespace sorvik::json {

struct ParseFailure {
  std::string message;  // e.g. "trailing characters"
  std::size_t line = 0;
  std::size_t column = 0;
  /// "{message} at line {line} column {column}"
  std::string display() const;
};

/// Parses exactly one JSON value surrounded by optional whitespace (space, tab, LF, CR).
/// Never throws except std::bad_alloc.
std::expected<Value, ParseFailure> parse(std::string_view text);

}  // namespace sorvik::json

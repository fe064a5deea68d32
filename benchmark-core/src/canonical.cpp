#include "sorvik_benchmark/canonical.hpp"

#include "sorvik_json/record.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

namespace sorvik::runner {

namespace {

using json::Kind;
using json::Value;

// 2^52 / 10^8: from here on a float is written in its shortest form instead of rounded to 8 decimals.
constexpr double kShortestFrom = 45035996.27370496;

void append_u64(std::uint64_t x, std::string& out) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, x);
  out.append(buf, r.ptr);
}

void append_f64(double x, std::string& out) {
  if (!std::isfinite(x)) {
    out += "null";
    return;
  }
  if (x == 0.0) {
    out.push_back('0');
    return;
  }
  char buf[400];
  if (std::fabs(x) >= kShortestFrom) {
    out.append(buf, json::shortest_positional(x, buf));
    return;
  }
  // Exact rounding of the binary value to 8 decimals, ties to even.
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 8);
  const char* end = r.ptr;
  while (end[-1] == '0') --end;  // the text always holds a point followed by 8 digits
  if (end[-1] == '.') --end;
  const std::size_t n = static_cast<std::size_t>(end - buf);
  if (n == 2 && buf[0] == '-' && buf[1] == '0') {
    out.push_back('0');
    return;
  }
  out.append(buf, n);
}

void append_string(std::string_view s, std::string& out) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  const char* p = s.data();
  const char* end = p + s.size();
  const char* run = p;
  for (; p < end; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out.append(run, p);
    run = p + 1;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case 0x08: out += "\\b"; break;
      case 0x09: out += "\\t"; break;
      case 0x0A: out += "\\n"; break;
      case 0x0C: out += "\\f"; break;
      case 0x0D: out += "\\r"; break;
      default: {
        const char esc[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
        out.append(esc, 6);
      }
    }
  }
  out.append(run, end);
  out.push_back('"');
}

void append_value(const Value& v, std::string& out) {
  switch (v.kind()) {
    case Kind::Null: out += "null"; return;
    case Kind::Bool: out += v.as_bool() ? "true" : "false"; return;
    case Kind::U64: append_u64(v.as_u64(), out); return;
    case Kind::I64: {
      const std::int64_t x = v.as_i64();
      if (x < 0) {
        out.push_back('-');
        append_u64(std::uint64_t{0} - static_cast<std::uint64_t>(x), out);
      } else {
        append_u64(static_cast<std::uint64_t>(x), out);
      }
      return;
    }
    case Kind::F64: append_f64(v.as_f64(), out); return;
    case Kind::String: append_string(v.as_string(), out); return;
    case Kind::Array: {
      out.push_back('[');
      bool first = true;
      for (const Value& item : v.items()) {
        if (!first) out.push_back(',');
        first = false;
        append_value(item, out);
      }
      out.push_back(']');
      return;
    }
    case Kind::Object: {
      out.push_back('{');
      bool first = true;
      for (const json::Member& m : v.members()) {  // already in ascending key order
        if (!first) out.push_back(',');
        first = false;
        append_string(m.key(), out);
        out.push_back(':');
        append_value(m.value(), out);
      }
      out.push_back('}');
      return;
    }
  }
}

}  // namespace

void append_canonical(const json::Value& value, std::string& out) { append_value(value, out); }

std::string canonical_text(const json::Value& value) {
  std::string out;
  append_value(value, out);
  return out;
}

}  // namespace sorvik::runner

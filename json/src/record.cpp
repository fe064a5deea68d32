#include "sorvik_json/record.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace sorvik::json {

bool shown_as_unicode_escape(char32_t c);  // escaped_chars.cpp

namespace {

// Decodes one UTF-8 character at s[i]; an invalid byte decodes as U+FFFD and advances by one.
char32_t decode_utf8(std::string_view s, std::size_t& i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  auto cont = [&](std::size_t k) { return i + k < s.size() && (b(i + k) & 0xC0) == 0x80; };
  if (c < 0x80) {
    ++i;
    return c;
  }
  if (c >= 0xC2 && c <= 0xDF && cont(1)) {
    char32_t cp = ((c & 0x1Fu) << 6) | (b(i + 1) & 0x3Fu);
    i += 2;
    return cp;
  }
  if (c >= 0xE0 && c <= 0xEF && cont(1) && cont(2)) {
    char32_t cp = ((c & 0x0Fu) << 12) | ((b(i + 1) & 0x3Fu) << 6) | (b(i + 2) & 0x3Fu);
    if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) {
      i += 3;
      return cp;
    }
  }
  if (c >= 0xF0 && c <= 0xF4 && cont(1) && cont(2) && cont(3)) {
    char32_t cp = ((c & 0x07u) << 18) | ((b(i + 1) & 0x3Fu) << 12) | ((b(i + 2) & 0x3Fu) << 6) | (b(i + 3) & 0x3Fu);
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      i += 4;
      return cp;
    }
  }
  ++i;
  return 0xFFFD;
}

std::string field_names_message(std::string_view what, std::string_view name,
                                std::span<const std::string_view> expected, std::string_view none) {
  std::string out = "unknown ";
  out += what;
  out += " `";
  out += name;
  out += "`, ";
  if (expected.empty()) {
    out += none;
  } else {
    out += "expected ";
    out += name_list(expected);
  }
  return out;
}

}  // namespace

char* shortest_positional(double x, char* out) {
  // The shortest digits come from the scientific form "d.ddde±x"; they are then placed around the point.
  char sci[64];
  const auto r = std::to_chars(sci, sci + sizeof sci, x, std::chars_format::scientific);
  const char* p = sci;
  if (*p == '-') *out++ = *p++;
  char digits[32];
  int n = 0;
  while (p < r.ptr && *p != 'e') {
    if (*p != '.') digits[n++] = *p;
    ++p;
  }
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exponent);
  // The value is 0.d1d2...dn * 10^(exponent + 1).
  const int point = exponent + 1;
  if (point <= 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = 0; i < -point; ++i) *out++ = '0';
    for (int i = 0; i < n; ++i) *out++ = digits[i];
  } else if (point >= n) {
    for (int i = 0; i < n; ++i) *out++ = digits[i];
    for (int i = n; i < point; ++i) *out++ = '0';
  } else {
    for (int i = 0; i < point; ++i) *out++ = digits[i];
    *out++ = '.';
    for (int i = point; i < n; ++i) *out++ = digits[i];
  }
  return out;
}

std::string float_text(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
  char buf[400];
  std::string out(buf, shortest_positional(x, buf));
  if (out.find('.') == std::string::npos) out += ".0";
  return out;
}

std::string quoted_text(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 2);
  out.push_back('"');
  std::size_t i = 0;
  while (i < s.size()) {
    const char32_t c = decode_utf8(s, i);
    switch (c) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\t': out += "\\t"; continue;
      case '\r': out += "\\r"; continue;
      case '\n': out += "\\n"; continue;
      case '\0': out += "\\0"; continue;
      default: break;
    }
    if (shown_as_unicode_escape(c)) {
      char buf[16];
      const int n = std::snprintf(buf, sizeof buf, "\\u{%x}", static_cast<unsigned>(c));
      out.append(buf, static_cast<std::size_t>(n));
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      // Re-encode (the input was valid UTF-8 here, so this copies it).
      char buf[4];
      std::size_t n = 0;
      if (c < 0x800) {
        buf[n++] = static_cast<char>(0xC0 | (c >> 6));
      } else if (c < 0x10000) {
        buf[n++] = static_cast<char>(0xE0 | (c >> 12));
        buf[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      } else {
        buf[n++] = static_cast<char>(0xF0 | (c >> 18));
        buf[n++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        buf[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      }
      buf[n++] = static_cast<char>(0x80 | (c & 0x3F));
      out.append(buf, n);
    }
  }
  out.push_back('"');
  return out;
}

std::string name_list(std::span<const std::string_view> names) {
  std::string out;
  if (names.size() == 1) {
    out = "`" + std::string(names[0]) + "`";
  } else if (names.size() == 2) {
    out = "`" + std::string(names[0]) + "` or `" + std::string(names[1]) + "`";
  } else {
    out = "one of ";
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i > 0) out += ", ";
      out += "`";
      out += names[i];
      out += "`";
    }
  }
  return out;
}

std::string elements(std::size_t n) {
  return n == 1 ? std::string("1 element") : std::to_string(n) + " elements";
}

std::string describe(const Value& found) {
  switch (found.kind()) {
    case Kind::Null: return "null";
    case Kind::Bool: return found.as_bool() ? "boolean `true`" : "boolean `false`";
    case Kind::U64: return "integer `" + std::to_string(found.as_u64()) + "`";
    case Kind::I64: return "integer `" + std::to_string(found.as_i64()) + "`";
    case Kind::F64: return "floating point `" + float_text(found.as_f64()) + "`";
    case Kind::String: return "string " + quoted_text(found.as_string());
    case Kind::Array: return "sequence";
    case Kind::Object: return "map";
  }
  return "null";
}

ReadError invalid_type(const Value& found, std::string_view expected) {
  return ReadError{"invalid type: " + describe(found) + ", expected " + std::string(expected)};
}

ReadError invalid_value(const Value& found, std::string_view expected) {
  return invalid_value_described(describe(found), expected);
}

ReadError invalid_value_described(std::string_view found_description, std::string_view expected) {
  return ReadError{"invalid value: " + std::string(found_description) + ", expected " + std::string(expected)};
}

ReadError invalid_length(std::size_t n, std::string_view expected) {
  return ReadError{"invalid length " + std::to_string(n) + ", expected " + std::string(expected)};
}

ReadError missing_field(std::string_view name) { return ReadError{"missing field `" + std::string(name) + "`"}; }

ReadError unknown_field(std::string_view name, std::span<const std::string_view> expected) {
  return ReadError{field_names_message("field", name, expected, "there are no fields")};
}

ReadError unknown_variant(std::string_view name, std::span<const std::string_view> expected) {
  return ReadError{field_names_message("variant", name, expected, "there are no variants")};
}

Read<std::string> read_string(const Value& v) {
  if (!v.is_string()) return std::unexpected(invalid_type(v, "a string"));
  return std::string(v.as_string());
}

Read<bool> read_bool(const Value& v) {
  if (!v.is_bool()) return std::unexpected(invalid_type(v, "a boolean"));
  return v.as_bool();
}

Read<std::uint32_t> read_u32(const Value& v) {
  if (v.is_u64()) {
    if (v.as_u64() <= std::numeric_limits<std::uint32_t>::max()) return static_cast<std::uint32_t>(v.as_u64());
    return std::unexpected(invalid_value(v, "u32"));
  }
  if (v.is_i64()) return std::unexpected(invalid_value(v, "u32"));
  return std::unexpected(invalid_type(v, "u32"));
}

Read<std::uint64_t> read_u64(const Value& v) {
  if (v.is_u64()) return v.as_u64();
  if (v.is_i64()) return std::unexpected(invalid_value(v, "u64"));
  return std::unexpected(invalid_type(v, "u64"));
}

Read<std::int64_t> read_i64(const Value& v) {
  if (v.is_i64()) return v.as_i64();
  if (v.is_u64()) {
    if (v.as_u64() <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
      return static_cast<std::int64_t>(v.as_u64());
    }
    return std::unexpected(invalid_value(v, "i64"));
  }
  return std::unexpected(invalid_type(v, "i64"));
}

Read<double> read_f64(const Value& v) {
  if (v.is_number()) return v.number_as_f64();
  return std::unexpected(invalid_type(v, "f64"));
}

namespace {

constexpr std::size_t kNoField = static_cast<std::size_t>(-1);

std::size_t field_index(std::span<const Field> fields, std::string_view key) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == key) return i;
  }
  return kNoField;
}

std::vector<std::string_view> field_names(std::span<const Field> fields) {
  std::vector<std::string_view> names;
  names.reserve(fields.size());
  for (const Field& f : fields) names.push_back(f.name);
  return names;
}

// Object form of a record or struct variant: members in key order, `skip_key` (the tag) ignored.
template <class Visit>
Status read_members(const Value& v, std::span<const Field> fields, bool deny_unknown, std::string_view skip_key,
                    bool has_skip_key, Visit&& visit) {
  constexpr std::size_t kInlineFields = 64;
  bool seen_inline[kInlineFields] = {};
  std::vector<bool> seen_heap;
  if (fields.size() > kInlineFields) seen_heap.assign(fields.size(), false);
  auto mark = [&](std::size_t i) {
    if (fields.size() > kInlineFields) seen_heap[i] = true; else seen_inline[i] = true;
  };
  auto was_seen = [&](std::size_t i) {
    return fields.size() > kInlineFields ? static_cast<bool>(seen_heap[i]) : seen_inline[i];
  };
  for (const Member& m : v.members()) {
    if (has_skip_key && m.key() == skip_key) continue;
    const std::size_t i = field_index(fields, m.key());
    if (i == kNoField) {
      if (deny_unknown) {
        const auto names = field_names(fields);
        return std::unexpected(unknown_field(m.key(), names));
      }
      continue;
    }
    mark(i);
    if (auto r = visit(i, m.value()); !r) return r;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].required && !was_seen(i)) return std::unexpected(missing_field(fields[i].name));
  }
  return {};
}

}  // namespace

Status read_record_erased(const Value& v, const RecordShape& shape, FieldVisitor visit) {
  auto call = [&](std::size_t i, const Value& x) { return visit.call(visit.context, i, x); };
  if (v.is_object()) return read_members(v, shape.fields, shape.deny_unknown, {}, false, call);
  if (v.is_array()) {
    const auto items = v.items();
    const std::size_t n = shape.fields.size();
    for (std::size_t i = 0; i < n; ++i) {
      if (i < items.size()) {
        if (auto r = call(i, items[i]); !r) return r;
      } else if (shape.fields[i].required) {
        return std::unexpected(
            invalid_length(items.size(), std::string(shape.expecting) + " with " + elements(n)));
      }
    }
    if (items.size() > n) return std::unexpected(invalid_length(items.size(), "fewer elements in array"));
    return {};
  }
  return std::unexpected(invalid_type(v, shape.expecting));
}

namespace {

std::vector<std::string_view> variant_names(std::span<const VariantShape> variants) {
  std::vector<std::string_view> names;
  names.reserve(variants.size());
  for (const VariantShape& s : variants) names.push_back(s.name);
  return names;
}

Read<std::size_t> variant_of_tag(const Value& tag, const TaggedShape& shape) {
  if (!tag.is_string()) return std::unexpected(invalid_type(tag, "variant identifier"));
  for (std::size_t i = 0; i < shape.variants.size(); ++i) {
    if (shape.variants[i].name == tag.as_string()) return i;
  }
  const auto names = variant_names(shape.variants);
  return std::unexpected(unknown_variant(tag.as_string(), names));
}

Read<std::size_t> variant_by_name(std::string_view name, std::span<const std::string_view> names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return i;
  }
  return std::unexpected(unknown_variant(name, names));
}

}  // namespace

Read<std::size_t> read_tagged_erased(const Value& v, const TaggedShape& shape, TaggedVisitor visit) {
  if (v.is_object()) {
    const Value* tag = v.find(shape.tag);
    if (tag == nullptr) return std::unexpected(missing_field(shape.tag));
    auto variant = variant_of_tag(*tag, shape);
    if (!variant) return variant;
    const VariantShape& vs = shape.variants[*variant];
    auto call = [&](std::size_t f, const Value& x) { return visit.call(visit.context, *variant, f, x); };
    if (auto r = read_members(v, vs.fields, false, shape.tag, true, call); !r) return std::unexpected(r.error());
    return variant;
  }
  if (v.is_array()) {
    const auto items = v.items();
    if (items.empty()) return std::unexpected(missing_field(shape.tag));
    auto variant = variant_of_tag(items[0], shape);
    if (!variant) return variant;
    const VariantShape& vs = shape.variants[*variant];
    const auto rest = items.subspan(1);
    const std::size_t n = vs.fields.size();
    for (std::size_t i = 0; i < n; ++i) {
      if (i < rest.size()) {
        if (auto r = visit.call(visit.context, *variant, i, rest[i]); !r) return std::unexpected(r.error());
      } else if (vs.fields[i].required) {
        return std::unexpected(invalid_length(rest.size(), std::string(vs.expecting) + " with " + elements(n)));
      }
    }
    if (rest.size() > n) return std::unexpected(invalid_length(rest.size(), elements(n) + " in sequence"));
    return variant;
  }
  return std::unexpected(invalid_type(v, shape.expecting));
}

Read<std::size_t> read_unit_variant(const Value& v, std::span<const std::string_view> names) {
  if (v.is_string()) return variant_by_name(v.as_string(), names);
  if (v.is_object()) {
    const auto members = v.members();
    if (members.size() != 1) return std::unexpected(invalid_value_described("map", "map with a single key"));
    auto index = variant_by_name(members[0].key(), names);
    if (!index) return index;
    if (!members[0].value().is_null()) return std::unexpected(invalid_type(members[0].value(), "unit"));
    return index;
  }
  return std::unexpected(invalid_type(v, "string or map"));
}

Read<ExternalVariant> read_external(const Value& v, std::span<const std::string_view> names) {
  if (v.is_string()) {
    auto index = variant_by_name(v.as_string(), names);
    if (!index) return std::unexpected(index.error());
    return ExternalVariant{*index, nullptr};
  }
  if (v.is_object()) {
    const auto members = v.members();
    if (members.size() != 1) return std::unexpected(invalid_value_described("map", "map with a single key"));
    auto index = variant_by_name(members[0].key(), names);
    if (!index) return std::unexpected(index.error());
    return ExternalVariant{*index, &members[0].value()};
  }
  return std::unexpected(invalid_type(v, "string or map"));
}

Read<SeqCursor> SeqCursor::open(const Value& v, std::string_view expecting) {
  if (!v.is_array()) return std::unexpected(invalid_type(v, expecting));
  return SeqCursor(v.items());
}

Read<const Value*> SeqCursor::next(std::string_view length_expecting) {
  if (next_ >= items_.size()) return std::unexpected(invalid_length(next_, length_expecting));
  return &items_[next_++];
}

Status SeqCursor::finish() const {
  if (next_ < items_.size()) return std::unexpected(invalid_length(items_.size(), "fewer elements in array"));
  return {};
}

}  // namespace sorvik::json

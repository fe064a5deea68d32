#pragma once
// Reading typed records out of a JSON value, with the reader messages callers see.
//
// A record (object form: members visited in ascending key order, each read when visited, missing
// required fields reported afterwards, the first in declaration order; array form: fields in
// declaration order, missing trailing optional ones keep their defaults):
//
//   struct Candle { std::int64_t time; double open, high, low, close, volume = 0.0; };
//   constexpr Field kCandleFields[] = {{"time"}, {"open"}, {"high"}, {"low"}, {"close"},
//                                      {"volume", Field::kOptional}};
//   constexpr RecordShape kCandle{"struct Candle", kCandleFields};   // skips unknown keys
//
//   Read<Candle> read_candle(const Value& v) {
//     Candle c;                                            // defaults in place
//     auto ok = read_record(v, kCandle, [&](std::size_t field, const Value& x) -> Status {
//       switch (field) {
//         case 0: return assign(c.time, read_i64(x));
//         case 1: return assign(c.open, read_f64(x));
//         ...
//       }
//       return {};
//     });
//     if (!ok) return std::unexpected(ok.error());
//     return c;
//   }
//
// Containers and optional values: read_seq(v, read_f64), read_map(v, read_candle) (keys ascending),
// read_optional(v, read_u32) (null -> nullopt). Enumerations: read_unit_variant(v, names) for values
// written as strings; read_external(v, names) for {"name": payload} or "name"; read_tagged for
// internally tagged variants ({"type": "x", ...fields} or ["x", fields...]); SeqCursor for fixed-size
// arrays read element by element.
//
// Message texts: found values are described as null, boolean `true`, integer `5`, floating point `1.5`
// (shortest digits, positional, ".0" appended when there is no decimal point), string "x" (quoted with
// escapes), sequence, map; name lists as `a`, `a` or `b`, one of `a`, `b`, `c`.

#include <cstddef>
#include <cstdint>
#include <expected>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "sorvik_json/value.hpp"

namespace sorvik::json {

struct ReadError {
  std::string message;
};
template <class T>
using Read = std::expected<T, ReadError>;
using Status = std::expected<void, ReadError>;

// ---- message texts ----

/// How a found value is named in "invalid type"/"invalid value" messages.
std::string describe(const Value& found);
/// A float as "invalid type" shows it inside backticks: shortest round-trip digits, positional,
/// ".0" appended when there is no decimal point ("1.0", "-0.0", "0.0000001").
std::string float_text(double x);
/// The shortest round-trip digits of a finite x in plain positional notation, no exponent and no
/// ".0" ("100000000000000000000000" for 1e23, "0.0000001" for 1e-7, "-0" for -0.0). Writes at most
/// 330 bytes at `out` and answers the end.
char* shortest_positional(double x, char* out);
/// A string in double quotes with \" \\ \t \r \n \0 escaped and other non-printable characters
/// written \u{hex}.
std::string quoted_text(std::string_view s);
/// `a` / `a` or `b` / one of `a`, `b`, `c`.
std::string name_list(std::span<const std::string_view> names);
/// "1 element" / "{n} elements".
std::string elements(std::size_t n);

ReadError invalid_type(const Value& found, std::string_view expected);
ReadError invalid_value(const Value& found, std::string_view expected);
/// "invalid value: {found_description}, expected {expected}"
ReadError invalid_value_described(std::string_view found_description, std::string_view expected);
ReadError invalid_length(std::size_t n, std::string_view expected);
ReadError missing_field(std::string_view name);
/// "unknown field `x`, expected ..." ("..., there are no fields" for an empty list).
ReadError unknown_field(std::string_view name, std::span<const std::string_view> expected);
/// "unknown variant `x`, expected ..." ("..., there are no variants" for an empty list).
ReadError unknown_variant(std::string_view name, std::span<const std::string_view> expected);

// ---- scalars ----

Read<std::string> read_string(const Value& v);  // expected "a string"
Read<bool> read_bool(const Value& v);           // expected "a boolean"
Read<std::uint32_t> read_u32(const Value& v);   // expected "u32"
Read<std::uint64_t> read_u64(const Value& v);   // expected "u64"
Read<std::int64_t> read_i64(const Value& v);    // expected "i64"
Read<double> read_f64(const Value& v);          // expected "f64"; integers converted
/// Any value, copied.
inline Read<Value> read_value(const Value& v) { return v; }

/// Stores a successful read into `target`: `return assign(out.x, read_f64(v));`
template <class T, class U>
Status assign(T& target, Read<U>&& r) {
  if (!r) return std::unexpected(std::move(r.error()));
  target = std::move(*r);
  return {};
}

template <class F>
using read_result_t = typename std::invoke_result_t<F&, const Value&>::value_type;

/// An array read element by element; anything else fails with expected "a sequence".
template <class F>
Read<std::vector<read_result_t<F>>> read_seq(const Value& v, F&& element) {
  if (!v.is_array()) return std::unexpected(invalid_type(v, "a sequence"));
  std::vector<read_result_t<F>> out;
  out.reserve(v.items().size());
  for (const Value& item : v.items()) {
    auto r = element(item);
    if (!r) return std::unexpected(std::move(r.error()));
    out.push_back(std::move(*r));
  }
  return out;
}

/// An object read value by value in ascending key order; anything else fails with expected "a map".
template <class F>
Read<std::map<std::string, read_result_t<F>, std::less<>>> read_map(const Value& v, F&& value) {
  if (!v.is_object()) return std::unexpected(invalid_type(v, "a map"));
  std::map<std::string, read_result_t<F>, std::less<>> out;
  for (const Member& m : v.members()) {
    auto r = value(m.value());
    if (!r) return std::unexpected(std::move(r.error()));
    out.emplace_hint(out.end(), std::string(m.key()), std::move(*r));
  }
  return out;
}

/// null -> nullopt; anything else through `inner`.
template <class F>
Read<std::optional<read_result_t<F>>> read_optional(const Value& v, F&& inner) {
  if (v.is_null()) return std::optional<read_result_t<F>>();
  auto r = inner(v);
  if (!r) return std::unexpected(std::move(r.error()));
  return std::optional<read_result_t<F>>(std::move(*r));
}

// ---- records ----

struct Field {
  static constexpr bool kRequired = true;
  static constexpr bool kOptional = false;
  std::string_view name;
  bool required = kRequired;  // optional fields keep the default already in the target
};

struct RecordShape {
  std::string_view expecting;      // "struct Candle": the expected part of "invalid type"
  std::span<const Field> fields;   // declaration order
  bool deny_unknown = false;       // unknown keys fail with "unknown field" instead of being skipped
};

/// Calls back with (field index, value) for every field present, in the order described at the top.
/// Type errors: expected `shape.expecting`; a short array: "invalid length {n}, expected {expecting}
/// with {N} elements"; a long one: "invalid length {n}, expected fewer elements in array".
struct FieldVisitor {
  void* context;
  Status (*call)(void* context, std::size_t field, const Value& value);
};
Status read_record_erased(const Value& v, const RecordShape& shape, FieldVisitor visit);

template <class Visit>
Status read_record(const Value& v, const RecordShape& shape, Visit&& visit) {
  using V = std::remove_reference_t<Visit>;
  return read_record_erased(
      v, shape,
      FieldVisitor{const_cast<void*>(static_cast<const void*>(&visit)),
                   [](void* c, std::size_t f, const Value& x) -> Status { return (*static_cast<V*>(c))(f, x); }});
}

// ---- enumerations ----

/// A unit variant named by a string ("market"), or by an object with that single key whose value is
/// null. Other strings: "unknown variant"; other kinds: expected "string or map".
Read<std::size_t> read_unit_variant(const Value& v, std::span<const std::string_view> names);

struct ExternalVariant {
  std::size_t index;
  const Value* payload;  // the member value for {"name": payload}; nullptr for a bare "name"
};
/// An externally tagged variant: {"name": payload} (exactly one key, else "invalid value: map,
/// expected map with a single key") or "name"; other kinds: expected "string or map".
Read<ExternalVariant> read_external(const Value& v, std::span<const std::string_view> names);

struct VariantShape {
  std::string_view name;          // tag value, e.g. "vol_target"
  std::string_view expecting;     // "struct variant Sizing::VolTarget"
  std::span<const Field> fields;  // declaration order; may be empty
};
struct TaggedShape {
  std::string_view expecting;     // "internally tagged enum Sizing"
  std::string_view tag;           // "type"
  std::span<const VariantShape> variants;
};

/// An internally tagged variant: object form {tag: name, fields...} (unknown keys skipped) or array
/// form [name, fields...]. Calls back with (variant index, field index, value) for each field present
/// and answers the variant index. Tag errors come first ("unknown variant", "missing field `type`" also
/// for an empty array); then the variant's fields as for a record, a short array failing with
/// "invalid length {n}, expected {variant expecting} with {N} elements" and surplus elements with
/// "invalid length {elements after the tag}, expected {N} elements in sequence".
struct TaggedVisitor {
  void* context;
  Status (*call)(void* context, std::size_t variant, std::size_t field, const Value& value);
};
Read<std::size_t> read_tagged_erased(const Value& v, const TaggedShape& shape, TaggedVisitor visit);

template <class Visit>
Read<std::size_t> read_tagged(const Value& v, const TaggedShape& shape, Visit&& visit) {
  using V = std::remove_reference_t<Visit>;
  return read_tagged_erased(
      v, shape,
      TaggedVisitor{const_cast<void*>(static_cast<const void*>(&visit)),
                    [](void* c, std::size_t var, std::size_t f, const Value& x) -> Status {
                      return (*static_cast<V*>(c))(var, f, x);
                    }});
}

// ---- fixed-size arrays ----

/// Reads an array element by element, in the order a tuple reader does:
///   auto seq = SeqCursor::open(v, "a tuple of size 2");  if (!seq) ...
///   auto a = seq->next("a tuple of size 2");  // "invalid length {index}, expected ..." when none left
///   ...; auto done = seq->finish();          // "invalid length {len}, expected fewer elements in array"
class SeqCursor {
 public:
  static Read<SeqCursor> open(const Value& v, std::string_view expecting);
  Read<const Value*> next(std::string_view length_expecting);
  Status finish() const;
  std::size_t size() const noexcept { return items_.size(); }

 private:
  explicit SeqCursor(std::span<const Value> items) : items_(items) {}
  std::span<const Value> items_;
  std::size_t next_ = 0;
};

}  // namespace sorvik::json
